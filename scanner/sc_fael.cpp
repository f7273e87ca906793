// What a scan state's passed deadline calls for: a repetition of the outstanding request while repetitions
// are left, else the end of the wait for it. Decided after the waiting datagrams are read, so that an answer
// already in the endpoint is taken and not asked for again.
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

int SC_FAELLIG(const SC_SCAN_Struct *stScan) {
    if (stScan->ulRecvTmo >= ulUT_LOOPZeit) return 0;
    if (stScan->iWarten == SC_WARTET)
        return stScan->iVersuch < iSC_Wiederhol && stScan->iAnfrageLen > 0 ? 1 : -1;
    return stScan->bUnbaubar ? -1 : 0;
}
