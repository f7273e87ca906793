// The scan: walks the device table device by device and object by object, one ReadProperty at a time, and
// writes a data line per data point, until 5 seconds of loop time pass without a request sent.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

static const char cRoutine[] = "SC_LOOP";

int SC_LOOP() {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf");
    // The loop clock was last read when the set-up began, and the set-up may have taken seconds (name
    // lookups for the route file): the first deadline counts from now, not from then.
    UT_LOOPTIME();
    SC_SCAN_Struct stScan;
    SC_SCAN_NEU(&stScan);
    std::printf("\n\n\n%s      Warten auf 'I-Am'", UT_T_TIME());
    std::fflush(stdout);

    while (stScan.iErg == 0 && stScan.ulRecvTmo >= ulUT_LOOPZeit) {
        bool bEmpfangen = SC_EMPFANG(&stScan);
        bool bGesendet = SC_ANFRAGE(&stScan);
        // Nothing to do in this pass: sleep until a datagram arrives, but only briefly, so that every
        // deadline is seen in time.
        if (!bEmpfangen && !bGesendet) IP_WAIT(iQX04_IP_APP, SC_WARTE_MS);
        UT_LOOPTIME();
    }

    SC_ENDE(&stScan);
    if (UT_TRC_OUT()) {
        UT_TRC("\n", cRoutine, "Vor  RETURN    ier : %d \n", stScan.iErg);
        UT_TRC_CONT("\n    LOOP-Zeit : %s", UT_DT2CI(ulUT_LOOPZeit));
        UT_TRC_CONT("\n    RECV_TMO  : %s", UT_DT2CI(stScan.ulRecvTmo));
        std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
    }
    return stScan.iErg;
}
