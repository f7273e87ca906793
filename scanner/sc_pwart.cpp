// The place of the parallel scan that awaits the answer with an invoke id: its index, -1 when none.
#include "scanner/sc_par.h"

int SC_P_WARTEND(unsigned char ucInvoke) {
    for (int i = 0; i < iSC_Parallel; i++) {
        const SC_PLATZ_Struct &p = stSC_Par.aPlatz[i];
        if (p.bBelegt && p.stScan.iWarten == SC_WARTET && p.stScan.ucInvoke == ucInvoke) return i;
    }
    return -1;
}
