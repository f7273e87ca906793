// Exit trace of a scan: result, loop time and deadline.
#include "runtime/ut/ut.h"
#include "scanner/loop/sc_ablauf.h"

void SC_LOOP_TRC(int iErg, std::uint32_t ulRecvTmo) {
    if (!UT_TRC_OUT()) return;
    UT_TRC("\n", "SC_LOOP", "Vor  RETURN    ier : %d \n", iErg);
    UT_TRC_CONT("\n    LOOP-Zeit : %s", UT_DT2CI(ulUT_LOOPZeit));
    UT_TRC_CONT("\n    RECV_TMO  : %s", UT_DT2CI(ulRecvTmo));
    std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
}
