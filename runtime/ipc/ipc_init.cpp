// Prepares the channel table of the FIFO message channels; only the first call clears it.
#include "runtime/ipc/ipc.h"
#include "runtime/ut/ut.h"

// Free from program load on, so that no channel stands on descriptor 0 before the first IPC_INIT.
int APP_IPC[IPC_APP_MAX] = {-1, -1, -1, -1};
int iIPC_Error;
static int iIPC_Calls;

int IPC_INIT() {
    if (UT_TRC_IN()) UT_TRC("\n\n", "IPC_INIT", "Nach Aufruf   Calls : %d", iIPC_Calls);
    if (iIPC_Calls <= 0)
        for (int &iFd : APP_IPC)
            iFd = -1;
    int ier = iIPC_Calls++;
    if (UT_TRC_OUT()) UT_TRC("\n\n", "IPC_INIT", "Vor  RETURN    ier : %d", ier);
    return ier;
}
