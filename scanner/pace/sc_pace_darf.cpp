// Whether a place may send in this pass. A path held by its router sends nothing, not even a repetition, and
// gives nothing up; a path the router does not reach ends its devices at once; a device kept to be retried
// alone waits until no other place is left on its path, then its request goes again. Otherwise a new request
// only while the path has room: repetitions go regardless, as an expired timer is a loss.
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace_intern.h"

int SC_PACE_DARF(int iPlatz) {
    SC_PACE_PLATZ_Struct &p = astSC_PacePlatz[static_cast<std::size_t>(iPlatz)];
    const SC_PFAD_Struct &f = vSC_Pfad[static_cast<std::size_t>(p.iPfad)];
    if (f.bUnerreichbar && p.bGesendet) return SC_DARF_AUFGEBEN; // its verdict names the request
    if (f.bGehalten) return SC_DARF_WARTEN;
    if (p.iNachzug != SC_NZ_WARTET)
        return SC_PACE_FLUG(p.iPfad, iPlatz) < f.iBudget ? SC_DARF_NEU : SC_DARF_WDH;
    // Of several waiting devices of one path the first place goes first; the others wait behind it.
    for (int i = 0; i < iSC_PacePlaetze; i++) {
        const SC_PACE_PLATZ_Struct &q = astSC_PacePlatz[static_cast<std::size_t>(i)];
        if (i == iPlatz || !q.bBelegt || q.iPfad != p.iPfad) continue;
        if (q.iNachzug != SC_NZ_WARTET || i < iPlatz) return SC_DARF_WARTEN;
    }
    if (TEST_T_X)
        UT_TRC("\n\n", "SC_LOOP", // the trace names the scan loop, whose pass paces the requests
               "Device %lu allein auf Pfad %s wieder gefragt", (unsigned long)p.ulDev, SC_PFAD_TEXT(p.iPfad));
    p.iNachzug = SC_NZ_ALLEIN;
    return SC_DARF_ALLEIN;
}
