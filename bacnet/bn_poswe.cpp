// Finds the value of a ReadProperty acknowledgement: behind the object and property identifier tags (and an
// array index, if any) and the opening tag 3.
#include "bacnet/bn.h"

int QX04_BN_POSWERT(const unsigned char *ucFrame, std::uint16_t usPropId) {
    const int iLen = (int)QX04_BN_BVLCLEN(ucFrame);
    const unsigned char *ucEnd = ucFrame + iLen;
    int p = QX04_BN_POSTAG(ucFrame);
    if (p <= 0) return -1;
    p += QX04_BN_TAGLEN(ucFrame + p, ucEnd); // object identifier
    const std::uint32_t ulProp = QX04_BN_TAG2L(ucFrame + p, 12, ucEnd);
    p += QX04_BN_TAGLEN(ucFrame + p, ucEnd);
    if (iLen < p) return -1;
    if (usPropId != 0xFFFF && ulProp != usPropId) return -1;
    for (;;) { // over the array index, if any, to the opening tag
        if (p >= iLen) return -1;
        if (QX04_BN_TAGNUM(ucFrame + p) == QX04_TAG_OPEN) break;
        const int l = QX04_BN_TAGLEN(ucFrame + p, ucEnd);
        if (l == 0) return -1;
        p += l;
    }
    p++;
    if (p >= iLen) return -1; // no value tag before the frame's end
    return p;
}
