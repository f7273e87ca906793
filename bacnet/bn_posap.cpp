// Offset of the application PDU: follows the NPDU header through destination, source and hop count.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_POSAPDU";

int QX04_BN_POSAPDU(const unsigned char *ucFrame) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf");
    const unsigned uLen = QX04_BN_BVLCLEN(ucFrame);
    int ier = -1;
    const int n = QX04_BN_POSNPDU(ucFrame);
    // Every byte is read only below the BVLC length. A header byte that lies beyond it could only have led
    // to an offset too large for a two-byte APDU, so stopping early gives the same -1.
    if (n > 0 && (unsigned)n + 1 < uLen && (ucFrame[n + 1] & 0x80) == 0) {
        const unsigned char ucCtl = ucFrame[n + 1];
        unsigned p = (unsigned)n + 2;
        bool bOk = true;
        if (ucCtl & 0x20) {
            if (p + 2 < uLen)
                p += 3 + ucFrame[p + 2]; // DNET, DLEN, DADR
            else
                bOk = false;
        }
        if (bOk && (ucCtl & 0x08)) {
            if (p + 2 < uLen)
                p += 3 + ucFrame[p + 2]; // SNET, SLEN, SADR
            else
                bOk = false;
        }
        if (ucCtl & 0x20) p += 1; // hop count
        if (bOk && uLen >= p + 2) ier = (int)p;
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
    return ier;
}
