// Waits for the BBMD's answer to a registration message outside the scan loop (set-up and end phase). What
// else arrives meanwhile is handled as the loop would: I-Ams are learned, requests to the scanner answered.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

static const char cRoutine[] = "SC_BBMD_WARTEN";

int SC_BBMD_WARTEN(int iMs) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf   ms : %d", iMs);
    struct timeval tvAb, tv;
    UT_CLOCK_GET(&tvAb);
    int ier = -1;
    for (long lRest = iMs; lRest > 0;) {
        if (iQX04_BvlcErg >= 0 && stQX04_BvlcVon.ulAdr == stSC_Bbmd.ulAdr &&
            stQX04_BvlcVon.usPort == stSC_Bbmd.usPort) {
            ier = iQX04_BvlcErg;
            break;
        }
        if (IP_WAIT(iQX04_IP_APP, static_cast<int>(lRest)) > 0) {
            IP_PORT stVon = {0, 0};
            int iCmd = 0, iScmd = 0;
            const int iLen = IP_RECV(iQX04_IP_APP, &stVon, &iCmd, &iScmd, QX04_BUF_SIZE, QX04_RECV_Buf);
            if (iLen > 0 && QX04_BN_RXCHK(QX04_RECV_Buf, iLen) == 0) QX04_BN_MSGCHK(&stVon, QX04_RECV_Buf);
        }
        UT_CLOCK_GET(&tv);
        lRest = iMs - ((tv.tv_sec - tvAb.tv_sec) * 1000L + (tv.tv_usec - tvAb.tv_usec) / 1000);
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
    return ier;
}
