// Receive guard: a datagram reaches the layer only when its BVLC length covers the header and no more than
// the bytes that arrived, so that nothing behind them is ever read as part of the frame.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_MSGCHK"; // reported as part of the message check

int QX04_BN_RXCHK(const unsigned char *ucFrame, int iLen) {
    if (iLen < 4) {
        UT_ERR_LOG(cRoutine, -1, iLen, "unzul. BVLC");
        return -1;
    }
    const int iBvlc = (int)QX04_BN_BVLCLEN(ucFrame);
    if (iBvlc < 4 || iBvlc > iLen) {
        UT_ERR_LOG(cRoutine, iBvlc, iLen, "unzul. BVLC");
        return -1;
    }
    return 0;
}
