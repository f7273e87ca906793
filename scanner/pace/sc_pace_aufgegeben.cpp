// A device silent after its repetitions while other devices of its path answered is not dead: the network
// was full. It keeps its place and is retried alone on its path after the others (SC_PACE_DARF); a device
// that stays silent with its path otherwise idle, or once retried alone, is given up.
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace_intern.h"

bool SC_PACE_AUFGEGEBEN(int iPlatz) {
    SC_PACE_PLATZ_Struct &p = astSC_PacePlatz[static_cast<std::size_t>(iPlatz)];
    const SC_PFAD_Struct &f = vSC_Pfad[static_cast<std::size_t>(p.iPfad)];
    if (p.iNachzug != SC_NZ_KEINER || !p.bOffen || f.ulAntworten == p.ulPfadStand) return false;
    p.iNachzug = SC_NZ_WARTET;
    if (TEST_T_X)
        UT_TRC("\n\n", "SC_LOOP", // the trace names the scan loop, whose pass paces the requests
               "Device %lu still, Pfad %s antwortet: nach den anderen allein wieder", (unsigned long)p.ulDev,
               SC_PFAD_TEXT(p.iPfad));
    return true;
}
