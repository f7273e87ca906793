// Starting values of a scan state's exchange: ready, nothing sent, deadline 5 seconds of loop time ahead.
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch.h"

void SC_AUSTAUSCH_NEU(SC_ANFRAGE_Struct *stAnf) {
    stAnf->iWarten = SC_BEREIT;
    stAnf->iArt = SC_ART_RP;
    stAnf->iAnz = 0;
    stAnf->iLen = 0;
    stAnf->stZiel = {0xFFFFFFFF, 0};
    stAnf->ucInvoke = 0;
    stAnf->iVersuch = 0;
    stAnf->ulVersuchMs = 0;
    stAnf->ulRecvTmo = UT_DT_ADD(ulUT_LOOPZeit, 0, SC_DEADLINE_S);
    stAnf->ulAufgabe = stAnf->ulRecvTmo;
    stAnf->bUnbaubar = false;
    SC_AUSTAUSCH_GERAET(stAnf);
}
