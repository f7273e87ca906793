// The B/IP node a received frame comes from. A Forwarded-NPDU is relayed by a BBMD and names the node that
// sent it in its header; that node, not the BBMD, is the one to answer and to address requests to.
#include "bacnet/bn.h"

IP_PORT QX04_BN_ABSENDER(const IP_PORT *RPort, const unsigned char *ucFrame) {
    if (ucFrame[1] != 0x04 || QX04_BN_BVLCLEN(ucFrame) < 10) return *RPort;
    const IP_PORT stKopf = {QX04_BN_BNL2L(ucFrame + 4), QX04_BN_BNS2S(ucFrame + 8)};
    // A header naming no single node (none, broadcast, multicast, port 0) must not make us answer there.
    if (stKopf.ulAdr == 0 || stKopf.ulAdr >= 0xE0000000 || stKopf.usPort == 0) return *RPort;
    return stKopf;
}
