// A network-layer message of the scanner's own: it asks for routers, for the number of its own network, or
// for a router's table, and routes nothing itself.
#include <cstring>
#include "bacnet/bn_netz.h"

int QX04_BN_NL_ANFRAGE(unsigned char *ucBuf, int iMax, bool bBroadcast, std::uint16_t usDnet,
                       unsigned char ucTyp, const unsigned char *ucDaten, int iLen) {
    constexpr int iKopfMax = 10;
    if (iLen < 0 || iMax < iKopfMax + 1 + iLen) return -1;
    int n = QX04_BN_NPDU_KOPF(ucBuf, bBroadcast, usDnet, true);
    ucBuf[n++] = ucTyp;
    if (iLen > 0) std::memcpy(ucBuf + n, ucDaten, static_cast<std::size_t>(iLen));
    n += iLen;
    QX04_BN_S2BNS(static_cast<std::uint16_t>(n), ucBuf + 2);
    return n;
}
