// Route of a device from its I-Am: identifier, then max APDU, segmentation and vendor into its record, and
// whether it came straight or forwarded by a BBMD.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

void QX04_BN_IAM(const IP_PORT *RPort, const unsigned char *ucFrame, int a, std::uint16_t usNet,
                 unsigned char ucSlen, const unsigned char *ucSadr) {
    const int iLen = (int)QX04_BN_BVLCLEN(ucFrame);
    const unsigned char *ucEnd = ucFrame + iLen;
    int p = a + 2;
    if (p >= iLen) return;
    int l = QX04_BN_TAGLEN(ucFrame + p, ucEnd);
    if (l <= 0) return;
    const std::uint32_t ulDev = QX04_BN_TAG2L(ucFrame + p, 12, ucEnd);
    if (ulDev == 0xFFFFFFFF) return;
    const std::uint32_t ulJetzt = UT_MSEK();
    ulQX04_IamMs = ulJetzt != 0 ? ulJetzt : 1;
    if (usNet == 0xFFFF) usNet = 0, ucSlen = 0; // no valid source network: reached directly
    const int iRec = QX04_BN_RT_SET(ulDev, usNet, ucSlen, ucSadr, RPort);
    if (iRec < 0) return;
    QX04_BN_ROUTE *r = &BN_ROUTE_QX04_Struct[iRec];
    r->ucBestaetigt = 1; // the device has spoken from this route
    if (r->ucGelernt == 0) r->ucGelernt = ucFrame[1] == 0x04 ? QX04_GELERNT_BBMD : QX04_GELERNT_IAM;
    p += l;
    const int iContext[3] = {2, 9, 2}; // max APDU unsigned, segmentation enumerated, vendor unsigned
    for (int i = 0; i < 3; i++) {
        if (p >= iLen || (l = QX04_BN_TAGLEN(ucFrame + p, ucEnd)) <= 0) return;
        const std::uint32_t v = QX04_BN_TAG2L(ucFrame + p, iContext[i], ucEnd);
        if (i == 0) r->usMaxApdu = (std::uint16_t)v;
        if (i == 1) r->ucSegment = (unsigned char)v;
        if (i == 2) r->usVendorId = (std::uint16_t)v;
        p += l;
    }
}
