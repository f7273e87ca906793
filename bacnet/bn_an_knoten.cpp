// A short APDU (Segment-ACK, Abort) to the node a request went to: the request's own BVLC and NPDU header
// address it, directly or through its router, with the expecting-reply bit cleared.
#include <cstring>
#include "bacnet/bn.h"

int QX04_BN_AN_KNOTEN(const unsigned char *ucAnfrage, const unsigned char *ucApdu, int iApdu,
                      unsigned char *ucBuf) {
    const int a = QX04_BN_POSAPDU(ucAnfrage);
    const int n = QX04_BN_POSNPDU(ucAnfrage);
    if (a <= 0 || n <= 0 || iApdu <= 0 || a + iApdu > QX04_BUF_SIZE) return 0;
    std::memcpy(ucBuf, ucAnfrage, static_cast<std::size_t>(a));
    std::memcpy(ucBuf + a, ucApdu, static_cast<std::size_t>(iApdu));
    ucBuf[n + 1] &= static_cast<unsigned char>(~0x04);
    QX04_BN_S2BNS(static_cast<std::uint16_t>(a + iApdu), ucBuf + 2);
    return a + iApdu;
}
