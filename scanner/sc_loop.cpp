// The scan: walks the device table device by device and object by object, one ReadProperty at a time, and
// writes a data line per data point, until 5 seconds of loop time pass without a request sent.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

static const char cRoutine[] = "SC_LOOP";

int SC_LOOP() {
    if (iSC_Parallel > 1) return SC_P_LOOP();
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf");
    // The loop clock was last read when the set-up began, and the set-up may have taken seconds (name
    // lookups for the route file): the first deadline counts from now, not from then.
    UT_LOOPTIME();
    SC_SCAN_Struct stScan;
    SC_SCAN_NEU(&stScan);
    std::printf("\n\n\n%s      Warten auf 'I-Am'", UT_T_TIME());
    std::fflush(stdout);

    // A passed deadline ends the scan only when the outstanding request has no repetition left.
    while (stScan.iErg == 0 && (stScan.ulRecvTmo >= ulUT_LOOPZeit || SC_WIEDERHOL(&stScan))) {
        // Every waiting datagram, in arrival order, before the next request: a storm of I-Ams must not
        // overflow the endpoint. Taking stops at the answer to the outstanding request, so that the next one
        // goes out at once.
        bool bEmpfangen = false;
        for (int i = 0; i < SC_EMPF_MAX; i++) {
            const bool bWartete = stScan.iWarten == SC_WARTET;
            if (!SC_EMPFANG(&stScan)) break;
            bEmpfangen = true;
            if (stScan.iErg != 0 || (bWartete && stScan.iWarten != SC_WARTET)) break;
        }
        bool bGesendet = SC_ANFRAGE(&stScan);
        SC_BBMD_PFLEGE();
        // Nothing to do in this pass: sleep until a datagram arrives, but only briefly, so that every
        // deadline is seen in time.
        if (!bEmpfangen && !bGesendet) IP_WAIT(iQX04_IP_APP, SC_WARTE_MS);
        UT_LOOPTIME();
    }

    SC_ENDE(&stScan);
    SC_LOOP_TRC(stScan.iErg, stScan.ulRecvTmo);
    return stScan.iErg;
}
