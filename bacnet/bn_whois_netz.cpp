// A Who-Is into one network: sent to its router with that network as destination and the broadcast MAC, it
// reaches only the devices there, and a range of instances keeps their I-Ams from arriving all at once.
#include "bacnet/bn_netz.h"

int QX04_BN_WHOIS_NETZ(unsigned char *ucBuf, int iMax, bool bBroadcast, std::uint16_t usDnet,
                       std::uint32_t ulVon, std::uint32_t ulBis) {
    constexpr int iLaengste = 10 + 2 + 2 * 5; // header, service, two context tags of at most 4 bytes
    if (iMax < iLaengste) return -1;
    int n = QX04_BN_NPDU_KOPF(ucBuf, bBroadcast, usDnet, false);
    ucBuf[n++] = 0x10; // Unconfirmed-Request
    ucBuf[n++] = 0x08; // who-Is
    if (ulVon <= ulBis) {
        n += QX04_BN_KTAG(ucBuf + n, 0, ulVon);
        n += QX04_BN_KTAG(ucBuf + n, 1, ulBis);
    }
    QX04_BN_S2BNS(static_cast<std::uint16_t>(n), ucBuf + 2);
    return n;
}
