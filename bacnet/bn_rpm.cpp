// Builds a ReadPropertyMultiple request for a device: several properties of several objects in one frame,
// addressed as a ReadProperty request is; returns the frame length and the destination, 0 for an unknown
// device or a request longer than the send buffer.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_RPM";

int QX04_BN_RPM(std::uint32_t ulDev, const QX04_BN_RPMREF *pRef, int iAnz, IP_PORT *stPort,
                unsigned char *ucBuf) {
    if (UT_TRC_IN())
        UT_TRC("\n\n", cRoutine, "Nach Aufruf  BN-DDEV : 0x%08lX   -Anz.: %d", (unsigned long)ulDev, iAnz);
    int ier = 0;
    const QX04_BN_ROUTE *r = QX04_BN_RT_FIND(ulDev, 0xFFFF, 255, nullptr, nullptr);
    // The length is known before the invoke id is drawn: a request that is not sent takes none.
    const int iKopf = r == nullptr ? 0 : (r->ucSLEN == 0 ? 6 : 16 + r->ucSLEN) + 4;
    const int n = r == nullptr ? -1 : QX04_BN_RPMTAGS(pRef, iAnz, nullptr, QX04_BUF_SIZE - iKopf);
    if (n > 0) {
        const int t = QX04_BN_RQKOPF(r, 0x0E, ucBuf); // readPropertyMultiple
        QX04_BN_RPMTAGS(pRef, iAnz, ucBuf + t, n);
        ier = t + n;
        QX04_BN_S2BNS((std::uint16_t)ier, ucBuf + 2);
        *stPort = r->stPort;
    }
    QX04_BN_RDTRC(cRoutine, ier, stPort, ucBuf);
    return ier;
}
