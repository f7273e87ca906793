// A context tag with an unsigned number, written in as few content bytes as the number needs (the Who-Is
// range, the property references of a ReadPropertyMultiple request).
#include "bacnet/bn.h"

int QX04_BN_KTAG(unsigned char *ucOut, int iNum, std::uint32_t ulWert) {
    const int n = ulWert <= 0xFF ? 1 : ulWert <= 0xFFFF ? 2 : ulWert <= 0xFFFFFF ? 3 : 4;
    ucOut[0] = static_cast<unsigned char>(iNum << 4 | 0x08 | n);
    for (int i = 0; i < n; i++)
        ucOut[1 + i] = static_cast<unsigned char>(ulWert >> 8 * (n - 1 - i));
    return 1 + n;
}
