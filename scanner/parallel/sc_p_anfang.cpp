// Start of a parallel scan: every place free, nothing held, the router messages of the Who-Is read (they
// concern no request), and the pacing and the exchange afresh, the places' requests drawing their invoke ids
// from one counter.
#include "bacnet/bn.h"
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"

SC_PAR_Struct stSC_Par;

void SC_P_ANFANG() {
    static SC_SCAN_Struct *apScan[SC_PARALLEL_MAX];
    SC_PAR_Struct &P = stSC_Par;
    P.iErg = 0;
    for (std::size_t i = 0; i < P.aPlatz.size(); i++) {
        P.aPlatz[i].bBelegt = false;
        SC_AUSTAUSCH_ENDE(&P.aPlatz[i].stScan.stAnf);
        apScan[i] = &P.aPlatz[i].stScan;
    }
    P.dqHalt.clear();
    P.uKopf = 0;
    P.uZeile = 1;
    P.uGehalten = P.uSpitze = 0;
    P.vAufgegeben.clear();
    P.ulNetzGelesen = ulQX04_NetzAnz;
    SC_PACE_NEU();
    SC_AUSTAUSCH_START(apScan, iSC_Parallel < SC_PARALLEL_MAX ? iSC_Parallel : SC_PARALLEL_MAX);
}
