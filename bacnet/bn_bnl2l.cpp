// Reads a 32-bit value in BACnet wire order.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_BNL2L";

std::uint32_t QX04_BN_BNL2L(const unsigned char *ucIn) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf  BN-Wert : 0x%02X%02X", ucIn[0], ucIn[1]);
    std::uint32_t ulRet = 0;
    for (int i = 0; i < 4; i++)
        ulRet = ulRet << 8 | ucIn[i];
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ulRETURN : %lu", (unsigned long)ulRet);
    return ulRet;
}
