// Takes one received frame, if any, from the data link in use; never waits.
#include "bacnet/bn.h"

int QX04_BN_EMPFANGEN(IP_PORT *stVon, int iMax, unsigned char *ucBuf) {
    if (pQX04_Link != nullptr) return pQX04_Link->pEmpfangen(stVon, iMax, ucBuf);
    int iCmd = 0, iScmd = 0;
    return IP_RECV(iQX04_IP_APP, stVon, &iCmd, &iScmd, iMax, ucBuf);
}
