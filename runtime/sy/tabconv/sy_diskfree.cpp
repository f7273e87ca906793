// Bytes available to the program on the file system of the working directory, from its statistics.
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

std::uint32_t SY_DISKFREE() {
    if (UT_TRC_IN()) UT_TRC("\n\n", "SY_DISKFREE", "Nach Aufruf");
    std::uint32_t ulBytes = SY_SF_MESS("SY_DISKFREE", true);
    if (UT_TRC_OUT()) UT_TRC("\n\n", "SY_DISKFREE", "Vor  RETURN     Bytes : %lu", (unsigned long)ulBytes);
    return ulBytes;
}
