// The head of a frame the scanner sends into a network of its choice: BACnet/IP header and network-layer
// header, with a destination network whose broadcast address is meant.
#include "bacnet/bn_netz.h"

int QX04_BN_NPDU_KOPF(unsigned char *ucBuf, bool bBroadcast, std::uint16_t usDnet, bool bNetz) {
    ucBuf[0] = 0x81;
    ucBuf[1] = bBroadcast ? QX04_BVLC_BROADCAST : QX04_BVLC_UNICAST;
    ucBuf[2] = ucBuf[3] = 0; // the caller sets the length
    ucBuf[4] = 0x01;
    ucBuf[5] = static_cast<unsigned char>((bNetz ? 0x80 : 0x00) | (usDnet != 0 ? 0x20 : 0x00));
    if (usDnet == 0) return 6;
    QX04_BN_S2BNS(usDnet, ucBuf + 6);
    ucBuf[8] = 0;    // DLEN 0: every node of that network
    ucBuf[9] = 0xFF; // hop count
    return 10;
}
