// The wait for a state's request is renewed: by a try that goes out, and by an unanswered batch handed back,
// whose smaller successor the scan waits for as for any request.
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch_intern.h"

void SC_FRIST_NEU(SC_TRANSAKTION_Struct *stAnf) {
    stAnf->ulFristMs = UT_MSEK();
    ulSC_RecvTmo = UT_DT_ADD(ulUT_LOOPZeit, 0, SC_DEADLINE_S);
}
