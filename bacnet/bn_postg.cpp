// Offset of the first tag behind the APDU header, for the PDU types that carry tags.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_POSTAG";

int QX04_BN_POSTAG(const unsigned char *ucFrame) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf");
    const unsigned uLen = QX04_BN_BVLCLEN(ucFrame);
    int ier = -1;
    const int a = QX04_BN_POSAPDU(ucFrame);
    if (a > 0 && (unsigned)a < uLen) {
        const unsigned char ucTyp = ucFrame[a];
        const bool bSeg = (ucTyp & 0x08) != 0; // lengthens only Confirmed-Request and Complex-ACK headers
        switch (ucTyp & 0xF0) {
        case 0x00:
            ier = a + (bSeg ? 6 : 4);
            break;
        case 0x10:
            ier = a + 2;
            break;
        case 0x30:
            ier = a + (bSeg ? 5 : 3);
            break;
        case 0x50:
            ier = a + 3;
            break;
        default:
            break;
        }
        if (ier >= 0 && (unsigned)ier >= uLen) ier = -1;
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
    return ier;
}
