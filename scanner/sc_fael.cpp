// What an outstanding request calls for, decided after the waiting datagrams are read, so that an answer
// already in the endpoint is taken and not asked for again. A repetition goes when the device's repetition
// timer has run out; the wait ends only after the last repetition, 5 s of loop time after it, and no sooner
// than (repetitions + 1) x 5 s after the first try, so a controller busy for a while is not given up early.
// Without repetitions (-R0) only the 5-second deadline counts. An unanswered ReadPropertyMultiple is never
// given up but followed by a smaller request, after twice the timer (an answer of many values takes longer
// than one of a single value), with -R0 after the deadline.
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

int SC_FAELLIG(const SC_SCAN_Struct *stScan) {
    if (stScan->iWarten != SC_WARTET) return stScan->bUnbaubar && stScan->ulRecvTmo < ulUT_LOOPZeit ? -1 : 0;
    if (stScan->stRpm.iArt != 0)
        return iSC_Wiederhol > 0 ? UT_MSEK() - stScan->ulVersuchMs >= SC_RTO_DAUER(&stScan->stRto, 1)
                                 : stScan->ulRecvTmo < ulUT_LOOPZeit;
    if (stScan->iVersuch < iSC_Wiederhol && stScan->iAnfrageLen > 0)
        return UT_MSEK() - stScan->ulVersuchMs >= SC_RTO_DAUER(&stScan->stRto, stScan->iVersuch) ? 1 : 0;
    return stScan->ulRecvTmo < ulUT_LOOPZeit && stScan->ulAufgabe < ulUT_LOOPZeit ? -1 : 0;
}
