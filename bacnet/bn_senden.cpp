// Sends one frame of the layer over the data link in use: the B/IP endpoint, or the link set up instead.
#include "bacnet/bn.h"

int QX04_BN_SENDEN(const IP_PORT *stZiel, int iLen, const unsigned char *ucFrame) {
    if (pQX04_Link != nullptr) return pQX04_Link->pSenden(stZiel, iLen, ucFrame);
    return IP_SEND(iQX04_IP_APP, stZiel, IP_CMD_DATA, IP_SCMD_SEND, iLen, ucFrame);
}
