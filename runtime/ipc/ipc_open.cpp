// Opens a FIFO message channel by path name: the FIFO is created for everybody on first use, opened for
// reading and writing (so the open never waits for a partner) and drained of what an earlier user left.
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include "runtime/ipc/ipc.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "IPC_OPEN";

// Discards every byte waiting in the FIFO, whole messages and remains alike, so the next read starts at a
// header.
static void IPC_LEEREN(int iFd) {
    unsigned char ucMuell[512];
    for (;;) {
        struct pollfd sPoll = {iFd, POLLIN, 0};
        if (poll(&sPoll, 1, 0) <= 0 || (sPoll.revents & POLLIN) == 0) break;
        if (read(iFd, ucMuell, sizeof ucMuell) <= 0) break;
    }
}

// Opens the FIFO itself: -1 after a logged failure. Anything else at the path (a file, a link planted in
// /tmp to a file) is refused instead of being written into.
static int IPC_OEFFNEN(const char *cName) {
    int iFd = open(cName, O_RDWR | O_NONBLOCK);
    if (iFd < 0) {
        iIPC_Error = errno;
        UT_ERR_LOG(cRoutine, -1, iIPC_Error, cName);
        return -1;
    }
    struct stat sStat;
    if (fstat(iFd, &sStat) != 0 || !S_ISFIFO(sStat.st_mode)) {
        close(iFd);
        iIPC_Error = EEXIST;
        UT_ERR_LOG(cRoutine, -1, iIPC_Error, cName);
        return -1;
    }
    // Reads of a body that follows its header a moment later wait for it.
    fcntl(iFd, F_SETFL, fcntl(iFd, F_GETFL) & ~O_NONBLOCK);
    return iFd;
}

int IPC_OPEN(const char *cName, int iModus) {
    if (UT_TRC_IN())
        UT_TRC("\n\n", cRoutine, "Nach Aufruf    Name : >%s<   Modus : %d",
               cName != nullptr ? cName : "* NULL *", iModus);
    int ier = -2;
    for (int i = IPC_APP_MAX - 1; i >= 0; i--)
        if (APP_IPC[i] < 0) ier = i;
    iIPC_Error = 0;
    if (ier == -2) {
        if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN    ier : %d", ier);
        return ier;
    }

    mode_t tsMaske = umask(0);
    if (cName == nullptr) {
        iIPC_Error = EFAULT;
        UT_ERR_LOG(cRoutine, -1, iIPC_Error, nullptr);
        ier = -1;
    } else if (mkfifo(cName, 0777) == 0) {
        if (chown(cName, getuid(), getgid()) != 0) {
            iIPC_Error = errno;
            UT_ERR_LOG(cRoutine, -1, iIPC_Error, cName);
            ier = -1;
        }
    } else if (errno != EEXIST) {
        iIPC_Error = errno;
        UT_ERR_LOG(cRoutine, -1, iIPC_Error, cName);
        ier = -1;
    }
    if (ier != -1) {
        // Descriptor 0 is a valid one when standard input was closed.
        int iFd = IPC_OEFFNEN(cName);
        if (iFd < 0) {
            ier = -1;
        } else {
            APP_IPC[ier] = iFd;
            IPC_LEEREN(iFd);
        }
    }
    umask(tsMaske);
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN    ier : %d", ier);
    return ier;
}
