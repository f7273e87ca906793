// Reads a 16-bit value in BACnet wire order.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_BNS2S";

std::uint16_t QX04_BN_BNS2S(const unsigned char *ucIn) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf  BN-Wert : 0x%02X%02X", ucIn[0], ucIn[1]);
    const std::uint16_t usRet = (std::uint16_t)(ucIn[0] << 8 | ucIn[1]);
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   usRETURN : %u", usRet);
    return usRet;
}
