// The unsigned number of a context tag in a received frame (an object identifier, property, array index),
// read only before the frame's BVLC length iLen.
#include "bacnet/bn.h"

int QX04_BN_KWERT(const unsigned char *ucFrame, int p, int iLen, int iNum, std::uint32_t *ulWert) {
    if (p >= iLen || (ucFrame[p] & 0xF8) != (iNum << 4 | 0x08) || (ucFrame[p] & 7) > 4) return 0;
    const int l = QX04_BN_TAGLEN(ucFrame + p, ucFrame + iLen);
    *ulWert = QX04_BN_TAG2L(ucFrame + p, 2, ucFrame + iLen);
    return l > 1 && *ulWert != 0xFFFFFFFF ? l : 0;
}
