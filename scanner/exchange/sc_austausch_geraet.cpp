// A new device for the exchange: answer times and copies are learnt per device (see SC_RTO_Struct).
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch.h"

void SC_AUSTAUSCH_GERAET(SC_TRANSAKTION_Struct *stAnf) {
    stAnf->bGeantwortet = false;
    stAnf->ulAnfragen = stAnf->ulStille = stAnf->ulSpaet = 0;
    stAnf->iStilleHier = 0;
    stAnf->aulAntwortMs.fill(0);
    stAnf->ulKopieMs = 0;
    stAnf->stRto = SC_RTO_Struct{};
    stAnf->stRtoRpm = SC_RTO_Struct{};
    stAnf->stRto.ulBeginnMs = UT_MSEK();
}
