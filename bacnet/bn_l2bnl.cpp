// Writes a 32-bit value in BACnet wire order (most significant byte first).
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_L2BNL";

int QX04_BN_L2BNL(std::uint32_t ulWert, unsigned char *ucOut) {
    if (UT_TRC_IN())
        UT_TRC("\n\n", cRoutine, "Nach Aufruf  ulWert : %lu (0x%08lX)", (unsigned long)ulWert,
               (unsigned long)ulWert);
    for (int i = 0; i < 4; i++)
        ucOut[i] = (unsigned char)(ulWert >> (24 - 8 * i));
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", 0);
    return 0;
}
