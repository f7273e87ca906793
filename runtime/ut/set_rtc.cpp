// Asks the installation's time-synchronisation process, through the FIFO "/tmp/TSYNC_FIFO", to set the
// station clock to the given packed date-time.
#include <cstring>
#include "runtime/ipc/ipc.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "UT_SET_RTC";

int UT_SET_RTC(std::uint32_t ulDT) {
    if (UT_DT_ADD(ulDT, 0, 0) == 0xFFFFFFFF) {
        UT_ERR_LOG(cRoutine, -1, 0, UT_DT2CI(ulDT));
        return -1;
    }
    const char *cCI = UT_DT2CI(ulDT);
    if (cCI == nullptr || cCI == cUT_CI_UNDEF || std::strcmp(cCI, cUT_CI_UNDEF) == 0) {
        UT_ERR_LOG(cRoutine, -2, 0, "CI");
        return -2;
    }
    // Copied: the message text must not change under a trace or log line that formats a time.
    char cZeit[15];
    std::snprintf(cZeit, sizeof cZeit, "%s", cCI);

    IPC_INIT();
    int iKanal = IPC_OPEN("/tmp/TSYNC_FIFO", 0);
    if (iKanal != 0) {
        UT_ERR_LOG(cRoutine, -3, iKanal, "IPC_OPEN");
        // A channel taken elsewhere than at 0 is given back, or every call would hold one more.
        if (iKanal > 0) IPC_CLOSE(iKanal);
        return -3;
    }
    int ier = 0;
    int r = IPC_SEND(0, -1, -IPC_TYP_TSYNC, 0, 14, reinterpret_cast<const unsigned char *>(cZeit));
    if (r != 0) {
        UT_ERR_LOG(cRoutine, -4, r, "IPC_SEND");
        ier = -4;
    }
    IPC_CLOSE(0);
    return ier;
}
