// Waits at most iMs milliseconds for a datagram at an endpoint, so that a polling loop with nothing to do
// sleeps instead of spinning; a datagram that arrives ends the wait at once. Receiving stays with IP_RECV.
#include <cerrno>
#include <poll.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

int IP_WAIT(int iIndex, int iMs) {
    if (iIndex < 0 || iIndex >= IP_APP_MAX) return -2;
    if (APP_IP[iIndex].iSock == -1) return -3;
    struct pollfd p = {APP_IP[iIndex].iSock, POLLIN, 0};
    int n = poll(&p, 1, iMs < 0 ? 0 : iMs);
    if (n < 0) return errno == EINTR ? 0 : -1;
    return (p.revents & POLLIN) != 0 ? 1 : 0;
}
