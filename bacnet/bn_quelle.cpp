// Source specifier of a received frame's NPDU: network, MAC length and MAC address of the device that sent
// the APDU from behind a router; network 0 and no MAC for a device on the scanner's own IP network.
#include "bacnet/bn.h"

bool QX04_BN_QUELLE(const unsigned char *ucFrame, std::uint16_t *usNet, unsigned char *ucSlen,
                    const unsigned char **ucSadr) {
    *usNet = 0;
    *ucSlen = 0;
    *ucSadr = nullptr;
    const int iLen = (int)QX04_BN_BVLCLEN(ucFrame);
    const int n = QX04_BN_POSNPDU(ucFrame);
    if (n <= 0) return false;
    const unsigned char ucCtl = n + 1 < iLen ? ucFrame[n + 1] : 0;
    if ((ucCtl & 0x08) == 0) return true;
    int p = n + 2;
    if (ucCtl & 0x20) p = p + 2 < iLen ? p + 3 + ucFrame[p + 2] : iLen; // behind DNET, DLEN, DADR
    // A specifier cut off by the frame's end names no source.
    if (p + 2 >= iLen || p + 3 + ucFrame[p + 2] > iLen) return false;
    *usNet = QX04_BN_BNS2S(ucFrame + p);
    *ucSlen = ucFrame[p + 2];
    *ucSadr = ucFrame + p + 3;
    return true;
}
