// Draws the invoke id of the next confirmed request; only the latest one is remembered.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_NXINVOKE";

unsigned char QX04_BN_NXINVOKE() {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf  Invoke : %u", ucQX04_InvokeId);
    ucQX04_InvokeId = (unsigned char)(ucQX04_InvokeId + 1); // 255 wraps to 0
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   Invoke : %u", ucQX04_InvokeId);
    return ucQX04_InvokeId;
}
