// Builds a ReadProperty request for a device, addressed directly or through the router the route table
// knows for it; returns the frame length and the destination, 0 for an unknown device.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_RD";

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

int QX04_BN_RD(std::uint32_t ulDev, std::uint32_t ulObjId, std::uint16_t usPropId, IP_PORT *stPort,
               unsigned char *ucBuf) {
    if (UT_TRC_IN())
        UT_TRC("\n\n", cRoutine, "Nach Aufruf  BN-DDEV : 0x%08lX   -ObjId.: 0x%08lX   -PropId.: %u",
               (unsigned long)ulDev, (unsigned long)ulObjId, usPropId);
    int ier = 0;
    const QX04_BN_ROUTE *r = QX04_BN_RT_FIND(ulDev, 0xFFFF, 255, nullptr, nullptr);
    if (r != nullptr) {
        ucBuf[0] = 0x81;
        ucBuf[2] = 0x00;
        int a;
        if (r->ucSLEN == 0) {
            ucBuf[1] = 0x0A; // Original-Unicast-NPDU
            ucBuf[4] = 0x01;
            ucBuf[5] = 0x04; // expecting reply
            a = 6;
        } else {
            ucBuf[1] = 0x04; // Forwarded-NPDU: the router answers to the address in the header
            QX04_BN_L2BNL(EIGENE_ADR(r->stPort.ulAdr), ucBuf + 4);
            QX04_BN_S2BNS((std::uint16_t)iQX04_IP_Port, ucBuf + 8);
            ucBuf[10] = 0x01;
            ucBuf[11] = 0x24; // destination specifier, expecting reply
            QX04_BN_S2BNS(r->usSNET, ucBuf + 12);
            ucBuf[14] = r->ucSLEN;
            std::memcpy(ucBuf + 15, r->ucSADR, r->ucSLEN);
            ucBuf[15 + r->ucSLEN] = 0xFF; // hop count
            a = 16 + r->ucSLEN;
        }
        ucBuf[a] = 0x00;     // Confirmed-Request
        ucBuf[a + 1] = 0x05; // up to 1476 bytes accepted
        ucBuf[a + 2] = QX04_BN_NXINVOKE();
        ucBuf[a + 3] = 0x0C; // readProperty
        ucBuf[a + 4] = 0x0C;
        QX04_BN_L2BNL(ulObjId, ucBuf + a + 5);
        if (usPropId <= 255) {
            ucBuf[a + 9] = 0x19;
            ucBuf[a + 10] = (unsigned char)usPropId;
            ier = a + 11;
        } else {
            ucBuf[a + 9] = 0x1A;
            QX04_BN_S2BNS(usPropId, ucBuf + a + 10);
            ier = a + 12;
        }
        ucBuf[3] = (unsigned char)ier;
        *stPort = r->stPort;
    }
    QX04_BN_RDTRC(cRoutine, ier, stPort, ucBuf);
    return ier;
}
