// The repetition timer of the outstanding request's try iVersuch. A single ReadProperty runs on the device's
// single answer times (before the first of them, on its batch answer times: a batch is answered no faster);
// an unanswered ReadPropertyMultiple is handed back after twice its own timer, because a batch's answer time
// varies with its size.
#include "scanner/exchange/sc_austausch.h"

std::uint32_t SC_TIMER(const SC_TRANSAKTION_Struct *stAnf, int iVersuch) {
    if (stAnf->iDienst != SC_DIENST_RP) return SC_RTO_DAUER(&stAnf->stRtoRpm, 1);
    if (stAnf->stRto.ulAnz > 0 || stAnf->stRtoRpm.ulAnz == 0) return SC_RTO_DAUER(&stAnf->stRto, iVersuch);
    SC_RTO_Struct stZeit = stAnf->stRtoRpm;
    stZeit.iStufe = stAnf->stRto.iStufe; // the doublings kept belong to the single requests
    return SC_RTO_DAUER(&stZeit, iVersuch);
}
