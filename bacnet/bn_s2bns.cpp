// Writes a 16-bit value in BACnet wire order (most significant byte first).
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_S2BNS";

int QX04_BN_S2BNS(std::uint16_t usWert, unsigned char *ucOut) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf  usWert : %u (0x%04X)", usWert, usWert);
    ucOut[0] = (unsigned char)(usWert >> 8);
    ucOut[1] = (unsigned char)usWert;
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", 0);
    return 0;
}
