// The invoke id of a state's next request: after the one drawn last, skipping those other transactions still
// have outstanding, so that every answer finds its state. At most 64 of 256 are outstanding: a free one is
// near.
#include "scanner/exchange/sc_austausch_intern.h"
#include "scanner/walk/sc_scan.h"

// Whether a transaction awaits the answer with invoke id ucId.
static bool OFFEN(unsigned char ucId) {
    for (int i = 0; i < iSC_TaAnz; i++) {
        const SC_TRANSAKTION_Struct &a = apSC_Ta[i]->stAnf;
        if (a.iWarten == SC_WARTET && a.iLen > 0 && a.ucInvoke == ucId) return true;
    }
    return false;
}

unsigned char SC_ID_FREI() {
    unsigned char ucId = static_cast<unsigned char>(ucSC_Gezogen + 1);
    while (OFFEN(ucId))
        ucId++;
    return ucId;
}
