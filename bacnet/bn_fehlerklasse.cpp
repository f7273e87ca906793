// Error class of an Error PDU: the first tag of its service part (the code follows it).
#include "bacnet/bn.h"

int QX04_BN_FEHLERKLASSE(const unsigned char *ucFrame) {
    if (QX04_BN_PDUTYP(ucFrame) != QX04_PDU_ERROR) return -1;
    const int t = QX04_BN_POSTAG(ucFrame);
    if (t <= 0 || t >= (int)QX04_BN_BVLCLEN(ucFrame)) return -1;
    const std::uint32_t ul = QX04_BN_TAG2L(ucFrame + t, 9, ucFrame + QX04_BN_BVLCLEN(ucFrame));
    return ul > 0xFFFF ? -1 : (int)ul;
}
