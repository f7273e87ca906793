// Channel values of the converter build.
#include "runtime/ipc/ipc.h"

const int iIPC_CmdBufLen = 80;
