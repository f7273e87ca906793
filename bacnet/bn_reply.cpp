// Sends an answer of the layer to the node that asked: the common reply header, the length, the frame.
#include "bacnet/bn.h"

int QX04_BN_REPLY(const IP_PORT *stPort, unsigned char *ucBuf, int iLen) {
    ucBuf[0] = 0x81; // BACnet/IP
    ucBuf[1] = 0x0A; // Original-Unicast-NPDU
    ucBuf[2] = 0x00;
    ucBuf[3] = static_cast<unsigned char>(iLen); // every answer is shorter than 256 bytes
    ucBuf[4] = 0x01;                             // NPDU version
    ucBuf[5] = 0x00;                             // control: no source, no reply expected
    return QX04_BN_SENDEN(stPort, iLen, ucBuf);
}
