// Builds a ReadProperty request for one element of an array property (index 0 asks for the array's length).
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_RDARR";

int QX04_BN_RDARR(std::uint32_t ulDev, std::uint32_t ulObjId, std::uint16_t usPropId, std::uint16_t usIndex,
                  IP_PORT *stPort, unsigned char *ucBuf) {
    if (UT_TRC_IN())
        UT_TRC("\n\n", cRoutine, "Nach Aufruf  BN-DDEV : 0x%08lX   -ObjId.: 0x%08lX   -PropId.: %u[%u]",
               (unsigned long)ulDev, (unsigned long)ulObjId, usPropId, usIndex);
    int ier = QX04_BN_RD(ulDev, ulObjId, usPropId, stPort, ucBuf);
    if (ier > 0) {
        if (usIndex <= 255) {
            ucBuf[ier] = 0x29;
            ucBuf[ier + 1] = (unsigned char)usIndex;
            ucBuf[3] = (unsigned char)(ucBuf[3] + 2);
        } else {
            ucBuf[ier] = 0x2A;
            QX04_BN_S2BNS(usIndex, ucBuf + ier + 1);
            ucBuf[3] = (unsigned char)(ucBuf[3] + 3);
        }
        ier = ucBuf[3];
    }
    QX04_BN_RDTRC(cRoutine, ier, stPort, ucBuf);
    return ier;
}
