// A single-precision value received most significant byte first, in the host's little-endian order.
#include "runtime/sy/sy.h"

int SY_IEEE2F(const unsigned char *ucSrc, unsigned char *ucDst) {
    ucDst[0] = ucSrc[3];
    ucDst[1] = ucSrc[2];
    ucDst[2] = ucSrc[1];
    ucDst[3] = ucSrc[0];
    return 0;
}
