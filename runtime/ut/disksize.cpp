// Size of the file system holding the working directory, measured once (a failed measurement is repeated).
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

std::uint32_t UT_DISKSIZE() {
    if (UT_TRC_IN())
        UT_TRC("\n\n", "UT_DISKSIZE", "Nach Aufruf DiskSize : %lu Bytes", (unsigned long)ulUT_DiskSize);
    if (ulUT_DiskSize == 0) ulUT_DiskSize = SY_DISKSIZE();
    if (UT_TRC_OUT())
        UT_TRC("\n\n", "UT_DISKSIZE", "Vor  RETURN     Bytes : %lu", (unsigned long)ulUT_DiskSize);
    return ulUT_DiskSize;
}
