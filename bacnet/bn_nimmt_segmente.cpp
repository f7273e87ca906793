// Whether a confirmed request the scanner built takes segmented answers.
#include "bacnet/bn.h"

bool QX04_BN_NIMMT_SEGMENTE(const unsigned char *ucFrame) {
    const int a = QX04_BN_POSAPDU(ucFrame);
    return a > 0 && (ucFrame[a] & 0xF2) == 0x02;
}
