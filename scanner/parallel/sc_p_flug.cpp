// Requests in flight on a path: a request counts until its first timer runs out; after that it is taken as
// lost and leaves the budget to the others, so a dead device cannot stall its network while it is repeated.
#include "runtime/ut/ut.h"
#include "scanner/parallel/sc_par.h"

int SC_P_FLUG(int iPfad, int iOhne) {
    int n = 0;
    for (int i = 0; i < iSC_Parallel; i++) {
        const SC_PLATZ_Struct &p = stSC_Par.aPlatz[i];
        if (i == iOhne || !p.bBelegt || p.iPfad != iPfad) continue;
        const SC_ANFRAGE_Struct &a = p.stScan.stAnf;
        n += a.iWarten == SC_WARTET && a.iVersuch == 0 && UT_MSEK() - a.ulVersuchMs < SC_TIMER(&a, 0);
    }
    return n;
}
