// What an outstanding request calls for, decided after the waiting datagrams are read, so that an answer
// already in the endpoint is taken and not asked for again. A repetition goes when the request's timer has
// run out; the wait ends only after the last repetition, 5 s of loop time after it, and no sooner than
// (repetitions + 1) x 5 s after the first try, so a controller busy for a while is not given up early.
// Without repetitions (-R0) only the 5-second deadline counts. An unanswered ReadPropertyMultiple is never
// given up but handed back for a smaller request when its timer runs out (with -R0 at the deadline). A
// request that could not be built ends the wait at the deadline of the one before.
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch.h"

int SC_FAELLIG(const SC_ANFRAGE_Struct *stAnf) {
    if (stAnf->iWarten != SC_WARTET)
        return stAnf->bUnbaubar && stAnf->ulRecvTmo < ulUT_LOOPZeit ? SC_F_ENDE : 0;
    const bool bAbgelaufen = UT_MSEK() - stAnf->ulVersuchMs >= SC_TIMER(stAnf, stAnf->iVersuch);
    if (stAnf->iArt != SC_ART_RP)
        return (iSC_Wiederhol > 0 ? bAbgelaufen : stAnf->ulRecvTmo < ulUT_LOOPZeit) ? SC_F_WDH : 0;
    if (stAnf->iVersuch < iSC_Wiederhol && stAnf->iLen > 0) return bAbgelaufen ? SC_F_WDH : 0;
    return stAnf->ulRecvTmo < ulUT_LOOPZeit && stAnf->ulAufgabe < ulUT_LOOPZeit ? SC_F_ENDE : 0;
}
