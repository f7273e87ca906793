// A state's device is done with (its list ended, or it was given up): its transaction ends, whatever is
// outstanding. Its invoke id is free again, and a late answer finds no state.
#include "scanner/exchange/sc_austausch.h"

void SC_AUSTAUSCH_ENDE(SC_TRANSAKTION_Struct *stAnf) {
    stAnf->iWarten = SC_BEREIT;
    stAnf->iLen = 0;
    stAnf->iVersuch = 0;
    stAnf->iSendungen = 0;
    stAnf->bVerloren = stAnf->bAufgegeben = stAnf->bUnbaubar = false;
    stAnf->bSegAn = stAnf->stSeg.bLauf = false;
    stAnf->stSeg.vFrame.clear();
}
