// A BVLL message of the scanner's own (registration with a BBMD, its deletion, a broadcast the BBMD
// distributes): the BACnet/IP header with function and length, then the message's own bytes.
#include <cstring>
#include "bacnet/bn.h"

int QX04_BN_BVLL(unsigned char *ucBuf, unsigned char ucFunk, const unsigned char *ucDaten, int iLen) {
    ucBuf[0] = 0x81;
    ucBuf[1] = ucFunk;
    QX04_BN_S2BNS(static_cast<std::uint16_t>(iLen + 4), ucBuf + 2);
    if (iLen > 0) std::memmove(ucBuf + 4, ucDaten, static_cast<std::size_t>(iLen));
    return iLen + 4;
}
