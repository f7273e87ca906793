// A device silent after its repetitions while other devices of its path answered is not dead: the network
// was full. It keeps its place and is retried alone on its path after the others (SC_P_TAKT); a device that
// stays silent with its path otherwise idle, or once retried alone, is given up.
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"

bool SC_P_NACHZUG(int iPlatz) {
    SC_PLATZ_Struct &p = stSC_Par.aPlatz[iPlatz];
    const SC_PFAD_Struct &f = vSC_Pfad[p.iPfad];
    if (p.iNachzug != SC_NZ_KEINER || p.stScan.stAnf.iWarten != SC_WARTET || f.ulAntworten == p.ulPfadStand)
        return false;
    p.iNachzug = SC_NZ_WARTET;
    if (TEST_T_X)
        UT_TRC("\n\n", "SC_LOOP", "Device %lu still, Pfad %s antwortet: nach den anderen allein wieder",
               (unsigned long)p.stScan.stGang.stObj.ulDev, SC_PFAD_TEXT(p.iPfad));
    return true;
}
