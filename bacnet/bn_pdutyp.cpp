// APDU type of a received frame: what kind of answer (or request) it is, read in one place.
#include "bacnet/bn.h"

int QX04_BN_PDUTYP(const unsigned char *ucFrame) {
    const int a = QX04_BN_POSAPDU(ucFrame);
    if (a <= 0 || a >= (int)QX04_BN_BVLCLEN(ucFrame)) return -1;
    return ucFrame[a] >> 4;
}
