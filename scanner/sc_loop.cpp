// The scan: walks the device table device by device and object by object, one request at a time, and writes
// a data line per data point, until 5 seconds of loop time pass without a request sent. With -P2 and more
// the parallel scan (parallel/) does the same for several devices at once.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"
#include "scanner/loop/sc_ablauf.h"
#include "scanner/parallel/sc_par.h"
#include "scanner/walk/sc_scan.h"

// Each pass while no write failed and the deadline is not earlier than the loop time; and, beyond that, while
// a request is still outstanding that the exchange has not given up.
static bool SC_PASS_WEITER(const SC_SCAN_Struct *stScan) {
    const SC_TRANSAKTION_Struct &a = stScan->stAnf;
    return stScan->stGang.iErg == 0 &&
           (SC_FRIST() >= ulUT_LOOPZeit || (a.iWarten == SC_WARTET && !a.bAufgegeben));
}

int SC_LOOP() {
    if (iSC_Parallel > 1) return SC_P_LOOP();
    SC_LOOP_BEGINN();
    SC_SCAN_Struct stScan;
    SC_SCAN_Struct *const apScan[1] = {&stScan};
    SC_AUSTAUSCH_START(apScan, 1);
    SC_SCAN_NEU(&stScan);

    while (SC_PASS_WEITER(&stScan)) {
        // 1. Receive: the waiting datagrams, up to the answer of the outstanding request, which moves the
        //    object on and writes its line when it is complete.
        bool bEtwas = SC_EMPF_ALLE(apScan, 1, true, nullptr);
        // 2. Send: the repetition its timer calls for, or the next request when none is outstanding.
        bEtwas = (SC_AUSTAUSCH(&stScan, true).uArt & (SC_E_GESENDET | SC_E_WIEDERHOLT)) != 0 || bEtwas;
        SC_BBMD_PFLEGE();    // the registration with a BBMD (-F) is kept up
        SC_LEERLAUF(bEtwas); // a pass that did nothing waits briefly for a datagram
        UT_LOOPTIME();       // 3. The loop clock.
    }

    const int iErg = SC_ENDE(&stScan);
    SC_LOOP_TRC(iErg, SC_FRIST());
    SC_AUSTAUSCH_START(nullptr, 0);
    return iErg;
}
