// Exit trace of the request builders: result, destination and the frame built.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

void QX04_BN_RDTRC(const char *cRoutine, int ier, const IP_PORT *stPort, const unsigned char *ucBuf) {
    if (!UT_TRC_OUT()) return;
    UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
    if (ier > 0) {
        const char *cPort = IP_PORT2A(stPort);
        UT_TRC_CONT("   PORT : >%s<", cPort != nullptr ? cPort : "* NULL *");
        UT_TRC_CONT("\n   BN-Sequenz : >");
        for (int i = 0; i < ier; i++)
            UT_TRC_CONT(" 0x%02X ", ucBuf[i]);
    }
    std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
}
