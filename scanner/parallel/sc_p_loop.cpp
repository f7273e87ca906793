// The scan of several devices at once (-P2 and more). Each place runs the sequential scan's steps for its one
// device, with its own outstanding request, deadline and repetitions; the loop shares out the datagrams and
// the places, and paces the requests by path (scanner/pace). A device that stays silent after its repetitions
// is given up, not the scan. The file is the sequential scan's: lines in table order with the sequential
// numbers.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"
#include "scanner/loop/sc_ablauf.h"
#include "scanner/parallel/sc_par.h"

// The pass condition: no write failed, and a device is in progress or known and not yet finished, or devices
// may still announce themselves: 5 s after the Who-Is and after the latest I-Am have not passed, on the
// monotonic clock, so that the scan ends as soon as that is over and not at the loop clock's next step.
static bool WEITER() {
    if (stSC_Par.iErg != 0) return false;
    for (int i = 0; i < iSC_Parallel; i++)
        if (stSC_Par.aPlatz[i].bBelegt) return true;
    // A known device not yet finished waits for its path (held by its router, or full) and comes.
    const std::uint32_t k = stSC_Par.uKopf;
    if (k < uQX04_Anz_Dev && BN_ROUTE_QX04_Struct[k].ulSDEV != 0xFFFFFFFF) return true;
    const std::uint32_t ulJetzt = UT_MSEK();
    return ulJetzt - ulSC_WhoIsMs < SC_IAM_WARTEN_MS ||
           (ulQX04_IamMs != 0 && ulJetzt - ulQX04_IamMs < SC_IAM_WARTEN_MS);
}

int SC_P_LOOP() {
    SC_LOOP_BEGINN();
    SC_P_ANFANG();
    while (WEITER()) {
        const bool bEtwas = SC_P_DURCHLAUF();
        SC_BBMD_PFLEGE();
        SC_LEERLAUF(bEtwas);
        UT_LOOPTIME();
    }
    stSC_Par.iErg = SC_P_ENDE();
    SC_LOOP_TRC(stSC_Par.iErg, SC_FRIST());
    SC_AUSTAUSCH_START(nullptr, 0);
    return stSC_Par.iErg;
}
