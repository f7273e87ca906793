// Builds a ReadProperty request for a device, addressed directly or through the router the route table
// knows for it; returns the frame length and the destination, 0 for an unknown device.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_RD";

int QX04_BN_RD(std::uint32_t ulDev, std::uint32_t ulObjId, std::uint16_t usPropId, IP_PORT *stPort,
               unsigned char *ucBuf) {
    if (UT_TRC_IN())
        UT_TRC("\n\n", cRoutine, "Nach Aufruf  BN-DDEV : 0x%08lX   -ObjId.: 0x%08lX   -PropId.: %u",
               (unsigned long)ulDev, (unsigned long)ulObjId, usPropId);
    int ier = 0;
    const QX04_BN_ROUTE *r = QX04_BN_RT_FIND(ulDev, 0xFFFF, 255, nullptr, nullptr);
    if (r != nullptr) {
        const int t = QX04_BN_RQKOPF(r, 0x0C, ucBuf); // readProperty
        ucBuf[t] = 0x0C;
        QX04_BN_L2BNL(ulObjId, ucBuf + t + 1);
        if (usPropId <= 255) {
            ucBuf[t + 5] = 0x19;
            ucBuf[t + 6] = (unsigned char)usPropId;
            ier = t + 7;
        } else {
            ucBuf[t + 5] = 0x1A;
            QX04_BN_S2BNS(usPropId, ucBuf + t + 6);
            ier = t + 8;
        }
        ucBuf[3] = (unsigned char)ier;
        *stPort = r->stPort;
    }
    QX04_BN_RDTRC(cRoutine, ier, stPort, ucBuf);
    return ier;
}
