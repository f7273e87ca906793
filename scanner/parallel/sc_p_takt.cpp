// Whether a place takes its exchange step in this pass. A path held by its router sends nothing, not even a
// repetition, and gives nothing up; a path the router does not reach ends its devices at once; a device kept
// to be retried alone waits until no other place is left on its path, then its request goes again.
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"

int SC_P_TAKT(int iPlatz) {
    SC_PLATZ_Struct &p = stSC_Par.aPlatz[iPlatz];
    const SC_PFAD_Struct &f = vSC_Pfad[p.iPfad];
    if (f.bUnerreichbar && p.stScan.stAnf.iLen > 0) return SC_TK_AUFGEBEN; // its verdict names the request
    if (f.bGehalten) return SC_TK_WARTEN;
    if (p.iNachzug != SC_NZ_WARTET) return SC_TK_SCHRITT;
    // Of several waiting devices of one path the first place goes first; the others wait behind it.
    for (int i = 0; i < iSC_Parallel; i++) {
        const SC_PLATZ_Struct &q = stSC_Par.aPlatz[i];
        if (i == iPlatz || !q.bBelegt || q.iPfad != p.iPfad) continue;
        if (q.iNachzug != SC_NZ_WARTET || i < iPlatz) return SC_TK_WARTEN;
    }
    if (TEST_T_X)
        UT_TRC("\n\n", "SC_LOOP", "Device %lu allein auf Pfad %s wieder gefragt",
               (unsigned long)p.stScan.stGang.stObj.ulDev, SC_PFAD_TEXT(p.iPfad));
    p.iNachzug = SC_NZ_ALLEIN;
    SC_P_NOCHMAL(iPlatz);
    return SC_TK_WARTEN;
}
