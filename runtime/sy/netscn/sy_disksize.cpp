// Size of the file system of the working directory, measured by a df child.
#include <ctime>
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

static const char cDatei[] = "SY_DISKSIZE.TMP";

std::uint32_t SY_DISKSIZE() {
    if (UT_TRC_IN()) UT_TRC("\n\n", "SY_DISKSIZE", "Nach Aufruf");
    int iPid = SY_DF_START("SY_DISKSIZE", cDatei);
    int iStat = -1;
    if (iPid > 0) {
        const struct timespec ts = {0, 1000000};
        while (SY_PS_CPOLL(iPid, &iStat) == 0)
            nanosleep(&ts, nullptr);
    }
    if (TEST_T_A || TEST_T_A3)
        UT_TRC("\n\n", "SY_DISKSIZE", "Nach PS_CSYST(exec df -k . >%s)   iier : %d", cDatei, iStat);
    std::uint32_t ulBytes = 0xFFFFFFFF;
    int r = SY_DF_READ(cDatei, 2, &ulBytes);
    if (r < 0) ulBytes = 0;
    if (UT_TRC_OUT()) UT_TRC("\n\n", "SY_DISKSIZE", "Vor  RETURN     Bytes : %lu", (unsigned long)ulBytes);
    return ulBytes;
}
