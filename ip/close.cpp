// Closes one endpoint and frees its table entry.
#include <cerrno>
#include <unistd.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

int IP_CLOSE(int iIndex) {
    if (UT_TRC_IN()) UT_TRC("\n\n", "IP_CLOSE", "Nach Aufruf    iIndex : %d", iIndex);
    int ier = 0;
    if (iIndex < 0 || iIndex >= IP_APP_MAX) {
        ier = -2;
    } else if (APP_IP[iIndex].iSock == -1) {
        ier = -3;
    } else {
        iIP_Error = close(APP_IP[iIndex].iSock);
        if (iIP_Error != 0) {
            iIP_Error = errno;
            ier = -1;
        }
        APP_IP[iIndex].iSock = -1; // freed even when the close failed: the descriptor is gone either way
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", "IP_CLOSE", "Vor  RETURN    ier : %d", ier);
    return ier;
}
