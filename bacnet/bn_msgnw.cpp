// Network-layer messages addressed to the scanner: it routes nothing, so it only notes them in the trace.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_MSGNW";

int QX04_BN_MSGNW(const IP_PORT *stPort, const unsigned char *ucFrame) {
    (void)ucFrame;
    if (UT_TRC_IN()) {
        const char *c = stPort != nullptr ? IP_PORT2A(stPort) : nullptr;
        UT_TRC("\n\n", cRoutine, "Nach Aufruf  Port : >%s<", c != nullptr ? c : "* NULL *");
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", 0);
    return 0;
}
