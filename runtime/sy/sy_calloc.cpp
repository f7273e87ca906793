// Zero-filled memory for a table; the caller owns it.
#include <cstdlib>
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

void *SY_CALLOC(int iAnz, int iSize) {
    if (UT_TRC_IN()) {
        UT_TRC("\n\n", "SY_CALLOC", "Nach Aufruf");
        UT_TRC_CONT("\n            iAnz : %d", iAnz);
        UT_TRC_CONT("\n           iSize : %d", iSize);
    }
    void *p = nullptr;
    if (iAnz > 0 && iSize > 0)
        p = std::calloc(static_cast<std::size_t>(iAnz), static_cast<std::size_t>(iSize));
    if (UT_TRC_OUT())
        UT_TRC("\n\n", "SY_CALLOC", "Vor  RETURN   cRETURN : %s", p != nullptr ? "def." : "* NULL *");
    return p;
}
