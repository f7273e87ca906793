// Starting values of a scan state's transaction: ready, nothing sent, nothing learnt; a request that cannot
// be built is waited for 5 seconds from here.
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch.h"

void SC_AUSTAUSCH_NEU(SC_TRANSAKTION_Struct *stAnf) {
    stAnf->iDienst = SC_DIENST_RP;
    stAnf->iAnz = 0;
    stAnf->stZiel = {0xFFFFFFFF, 0};
    stAnf->ucInvoke = 0;
    stAnf->ulErstMs = stAnf->ulVersuchMs = 0;
    stAnf->ulFristMs = UT_MSEK();
    SC_AUSTAUSCH_ENDE(stAnf);
    SC_AUSTAUSCH_GERAET(stAnf);
}
