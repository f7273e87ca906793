// Head of a confirmed request to a known device: BVLC and NPDU, addressed directly or through the router the
// route table knows for it, and the APDU header with a fresh invoke id. Every request builder starts here.
#include <cstring>
#include "bacnet/bn.h"

// The scanner's own address in a routed request: one the router can answer to, i.e. the address named on
// the command line or one on the router's network, else the host's first.
static std::uint32_t EIGENE_ADR(std::uint32_t ulRouter) {
    const std::uint32_t ulNetz = IP_GET_NET(ulRouter);
    std::uint32_t ulAdr;
    for (int i = 0;; i++) {
        ulAdr = IP_HOST_ADR(i);
        if (ulAdr == 0xFFFFFFFF || ulAdr == ulQX04_IP_Adr || IP_GET_NET(ulAdr) == ulNetz) break;
    }
    return ulAdr != 0xFFFFFFFF ? ulAdr : IP_HOST_ADR(0);
}

// BVLC and NPDU: the offset of the APDU.
static int NPDU(const QX04_BN_ROUTE *r, unsigned char *ucBuf) {
    ucBuf[0] = 0x81;
    ucBuf[2] = 0x00;
    if (r->ucSLEN == 0) {
        ucBuf[1] = 0x0A; // Original-Unicast-NPDU
        ucBuf[4] = 0x01;
        ucBuf[5] = 0x04; // expecting reply
        return 6;
    }
    ucBuf[1] = 0x04; // Forwarded-NPDU: the router answers to the address in the header
    QX04_BN_L2BNL(EIGENE_ADR(r->stPort.ulAdr), ucBuf + 4);
    QX04_BN_S2BNS((std::uint16_t)iQX04_IP_Port, ucBuf + 8);
    ucBuf[10] = 0x01;
    ucBuf[11] = 0x24; // destination specifier, expecting reply
    QX04_BN_S2BNS(r->usSNET, ucBuf + 12);
    ucBuf[14] = r->ucSLEN;
    std::memcpy(ucBuf + 15, r->ucSADR, r->ucSLEN);
    ucBuf[15 + r->ucSLEN] = 0xFF; // hop count
    return 16 + r->ucSLEN;
}

int QX04_BN_RQKOPF(const QX04_BN_ROUTE *r, unsigned char ucService, unsigned char *ucBuf) {
    const int a = NPDU(r, ucBuf);
    ucBuf[a] = 0x00;     // Confirmed-Request, not segmented, no segmented answer accepted
    ucBuf[a + 1] = 0x05; // up to 1476 bytes accepted
    ucBuf[a + 2] = QX04_BN_NXINVOKE();
    ucBuf[a + 3] = ucService;
    return a + 4;
}
