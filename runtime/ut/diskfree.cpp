// Free space on the file system of the working directory, measured at most once per ten seconds of loop
// time; in between the last figure is returned.
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

static std::uint32_t ulDT_NextChk;

std::uint32_t UT_DISKFREE() {
    if (UT_TRC_IN()) UT_TRC("\n\n", "UT_DISKFREE", "Nach Aufruf   NextChk : %s", UT_DT2CI(ulDT_NextChk));
    if (ulDT_NextChk < ulUT_LOOPZeit) {
        ulUT_DiskFree = SY_DISKFREE();
        ulDT_NextChk = UT_DT_ADD(ulUT_LOOPZeit, 0, 10);
    }
    if (UT_TRC_OUT())
        UT_TRC("\n\n", "UT_DISKFREE", "Vor  RETURN     Bytes : %lu", (unsigned long)ulUT_DiskFree);
    return ulUT_DiskFree;
}
