// Invoke id of an answer (acknowledgement, Error, Reject, Abort) in a received frame: the byte after its
// type.
#include "bacnet/bn.h"

int QX04_BN_INVOKE(const unsigned char *ucFrame) {
    const int a = QX04_BN_POSAPDU(ucFrame);
    if (a <= 0 || a + 1 >= (int)QX04_BN_BVLCLEN(ucFrame)) return -1;
    return ucFrame[a + 1];
}
