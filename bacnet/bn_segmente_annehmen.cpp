// Marks a built confirmed request as one that takes segmented answers: the segmented-response-accepted bit
// in the first APDU byte, and the segments taken in the upper bits of the second (the max APDU stays).
#include "bacnet/bn.h"

void QX04_BN_SEGMENTE_ANNEHMEN(unsigned char *ucFrame, unsigned char ucMaxSeg) {
    const int a = QX04_BN_POSAPDU(ucFrame);
    if (a <= 0) return;
    ucFrame[a] |= 0x02;
    ucFrame[a + 1] = static_cast<unsigned char>((ucFrame[a + 1] & 0x0F) | (ucMaxSeg & 0x07) << 4);
}
