// The header of one segment of a segmented Complex-ACK: the APDU's first byte with its segmented and
// more-follows bits, the invoke id, the sequence number, the proposed window and the service; the segment's
// share of the service data follows up to the frame's end.
#include "bacnet/bn.h"

constexpr unsigned char SEG = 0x08, MOR = 0x04;
constexpr int SEG_KOPF = 5; // type, invoke id, sequence number, window, service

bool QX04_BN_SEGMENT_LESEN(const unsigned char *ucFrame, QX04_BN_SEGMENT *s) {
    const int a = QX04_BN_POSAPDU(ucFrame);
    const int iLen = static_cast<int>(QX04_BN_BVLCLEN(ucFrame));
    if (a <= 0 || a + SEG_KOPF > iLen) return false;
    if ((ucFrame[a] >> 4) != QX04_PDU_COMPLEX_ACK || (ucFrame[a] & SEG) == 0) return false;
    s->iApdu = a;
    s->bMehr = (ucFrame[a] & MOR) != 0;
    s->ucInvoke = ucFrame[a + 1];
    s->ucSeq = ucFrame[a + 2];
    s->ucFenster = ucFrame[a + 3];
    s->ucDienst = ucFrame[a + 4];
    s->iDaten = a + SEG_KOPF;
    s->iEnde = iLen;
    return true;
}
