// Object type of a BACnet object identifier (upper 10 bits).
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_OBJTYPE";

std::uint32_t QX04_BN_OBJTYPE(std::uint32_t ulObjId) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf  Obj.-Id.: 0x%08lX", (unsigned long)ulObjId);
    const std::uint32_t ulRet = ulObjId >> 22;
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   Obj.-Type : %lu", (unsigned long)ulRet);
    return ulRet;
}
