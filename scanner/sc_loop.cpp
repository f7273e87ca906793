// The scan: walks the device table device by device and object by object, one request at a time, and
// writes a data line per data point, until 5 seconds of loop time pass without a request sent.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

int SC_LOOP() {
    if (iSC_Parallel > 1) return SC_P_LOOP();
    SC_LOOP_BEGINN();
    SC_SCAN_Struct stScan;
    SC_SCAN_NEU(&stScan);
    SC_SCAN_Struct *const apScan[1] = {&stScan};

    // Each pass while no write failed and the deadline has not passed, or a request is outstanding that is
    // not given up yet:
    while (stScan.iErg == 0 &&
           (stScan.ulRecvTmo >= ulUT_LOOPZeit || (stScan.iWarten == SC_WARTET && SC_FAELLIG(&stScan) >= 0))) {
        // 1. Receive: the waiting datagrams, up to the answer of the outstanding request, which moves the
        //    object on and writes its line when it is complete.
        bool bEtwas = SC_EMPF_ALLE(apScan, 1, true);
        // Its repetition timer ran out and no answer came with them: the same request once more.
        if (SC_FAELLIG(&stScan) > 0) bEtwas = SC_WIEDERHOL(&stScan) || bEtwas;
        // 2. Send: the next request, when none is outstanding.
        bEtwas = SC_ANFRAGE(&stScan) || bEtwas;
        // 3. The loop clock.
        SC_PASS_ENDE(bEtwas);
    }

    SC_ENDE(&stScan);
    SC_LOOP_TRC(stScan.iErg, stScan.ulRecvTmo);
    return stScan.iErg;
}
