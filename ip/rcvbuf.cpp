// Asks for a large receive buffer on a datagram endpoint, so that a router answering one Who-Is for thousands
// of devices at once does not overflow it while the loop is busy. SO_RCVBUFFORCE passes the system's limit
// where the process may (root); otherwise SO_RCVBUF gives what the limit allows. Returns the size the system
// granted (it counts its own overhead in, so it reports about twice what was asked), or a negative code.
#include <sys/socket.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

int IP_RCVBUF(int iIndex, int iBytes) {
    if (iIndex < 0 || iIndex >= IP_APP_MAX) return -2;
    const int iSock = APP_IP[iIndex].iSock;
    if (iSock == -1) return -3;
    if (setsockopt(iSock, SOL_SOCKET, SO_RCVBUFFORCE, &iBytes, sizeof iBytes) != 0)
        setsockopt(iSock, SOL_SOCKET, SO_RCVBUF, &iBytes, sizeof iBytes);
    int iIst = 0;
    socklen_t sl = sizeof iIst;
    if (getsockopt(iSock, SOL_SOCKET, SO_RCVBUF, &iIst, &sl) != 0) return -1;
    if (UT_TRC_OUT()) UT_TRC("\n\n", "IP_RCVBUF", "Vor  RETURN   ier : %d", iIst);
    return iIst;
}
