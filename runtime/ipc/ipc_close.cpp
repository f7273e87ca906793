// Closes a FIFO message channel and frees its entry; the FIFO file stays for the next user.
#include <cerrno>
#include <unistd.h>
#include "runtime/ipc/ipc.h"
#include "runtime/ut/ut.h"

int IPC_CLOSE(int iIndex) {
    if (UT_TRC_IN()) UT_TRC("\n\n", "IPC_CLOSE", "Nach Aufruf    iIndex : %d", iIndex);
    int ier = 0;
    if (iIndex < 0 || iIndex >= IPC_APP_MAX) {
        ier = -2;
    } else if (APP_IPC[iIndex] < 0) {
        ier = -3;
    } else {
        iIPC_Error = close(APP_IPC[iIndex]);
        if (iIPC_Error != 0) {
            iIPC_Error = errno;
            ier = -1;
        }
        APP_IPC[iIndex] = -1;
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", "IPC_CLOSE", "Vor  RETURN    ier : %d", ier);
    return ier;
}
