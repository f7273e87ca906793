// Channel values of the scanner build.
#include "runtime/ipc/ipc.h"

const int iIPC_CmdBufLen = 68;
