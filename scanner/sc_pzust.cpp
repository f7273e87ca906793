// The scan states of the parallel scan's occupied places, for the shared receive step.
#include "scanner/sc_par.h"

int SC_P_ZUSTAENDE(SC_SCAN_Struct *apScan[SC_PLATZ_MAX]) {
    int n = 0;
    for (int i = 0; i < iSC_Parallel && i < SC_PLATZ_MAX; i++)
        if (stSC_Par.aPlatz[i].bBelegt) apScan[n++] = &stSC_Par.aPlatz[i].stScan;
    return n;
}
