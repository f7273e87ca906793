// Waits for the BBMD's answer to a registration message outside the scan loop (set-up and end phase). What
// else arrives meanwhile is handled as the loop would: I-Ams are learned, requests to the scanner answered.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"
#include "scanner/exchange/sc_austausch.h"

static const char cRoutine[] = "SC_BBMD_WARTEN";

int SC_BBMD_WARTEN(int iMs) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf   ms : %d", iMs);
    const std::uint32_t ulAb = UT_MSEK(); // monotonic: setting the clock neither stretches nor cuts the wait
    int ier = -1;
    for (long lRest = iMs; lRest > 0;) {
        if (SC_BBMD_ERGEBNIS()) {
            ier = iQX04_BvlcErg;
            break;
        }
        if (IP_WAIT(iQX04_IP_APP, static_cast<int>(lRest)) > 0) SC_EMPFANG(nullptr, 0); // no scan state yet
        lRest = iMs - static_cast<long>(UT_MSEK() - ulAb);
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
    return ier;
}
