// Offset of the network-layer header in a frame: behind the BVLC header, which is longer for a
// Forwarded-NPDU.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_POSNPDU";

int QX04_BN_POSNPDU(const unsigned char *ucFrame) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf");
    int ier = ucFrame[1] == 0x04 ? 10 : 4;
    if (QX04_BN_BVLCLEN(ucFrame) <= (unsigned)ier) ier = -1;
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
    return ier;
}
