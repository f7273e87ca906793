// Size of the file system of the working directory, from its file-system statistics.
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

std::uint32_t SY_DISKSIZE() {
    if (UT_TRC_IN()) UT_TRC("\n\n", "SY_DISKSIZE", "Nach Aufruf");
    std::uint32_t ulBytes = SY_SF_MESS("SY_DISKSIZE", false);
    if (UT_TRC_OUT()) UT_TRC("\n\n", "SY_DISKSIZE", "Vor  RETURN     Bytes : %lu", (unsigned long)ulBytes);
    return ulBytes;
}
