// Free space of the file system of the working directory, measured by a df child in the background: the
// first call waits for its figure, later calls return the last one while a new measurement runs.
#include <ctime>
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

static const char cDatei[] = "SY_DISKFREE.TMP";
static int iPid = -1;
static int iFertig = 0;
static std::uint32_t ulFree = 0xFFFFFFFF;

std::uint32_t SY_DISKFREE() {
    if (UT_TRC_IN()) UT_TRC("\n\n", "SY_DISKFREE", "Nach Aufruf");
    if (iPid == -1) iPid = SY_DF_START("SY_DISKFREE", cDatei);
    const struct timespec ts = {0, 1000000};
    for (;;) {
        int iStat = -1;
        // A child that could not be started counts as ended at once, with no figure.
        int r = iPid > 0 ? SY_PS_CPOLL(iPid, &iStat) : -1;
        if (r != 0) {
            iPid = -1;
            iFertig = 1;
            if (TEST_T_A || TEST_T_A3)
                UT_TRC("\n\n", "SY_DISKFREE", "Nach PS_CSYST(exec df -k . >%s)   iier : %d", cDatei, iStat);
            std::uint32_t ulBytes = 0xFFFFFFFF;
            int iRd = SY_DF_READ(cDatei, 4, &ulBytes);
            if (iRd < 0)
                ulFree = 0;
            else if (iRd > 0)
                ulFree = ulBytes;
            break;
        }
        if (iFertig) break;
        nanosleep(&ts, nullptr);
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", "SY_DISKFREE", "Vor  RETURN     Bytes : %lu", (unsigned long)ulFree);
    return ulFree;
}
