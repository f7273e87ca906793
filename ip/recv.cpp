// Takes one waiting datagram from an endpoint without ever waiting: the scan loop keeps its own time.
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "IP_RECV";

// Readable right now? Only the readiness bit counts, not the result of the test call.
static bool BEREIT(int iSock) {
    struct pollfd p = {iSock, POLLIN, 0};
    poll(&p, 1, 0);
    return (p.revents & POLLIN) != 0;
}

static int LESEN(const IP_APP &e, IP_PORT *RPort, int *iCMD, int *iSCMD, int iLen, unsigned char *ucBuf) {
    struct sockaddr_in sa;
    std::memset(&sa, 0, sizeof sa);
    socklen_t sl = sizeof sa;
    errno = 0; // a zero-length datagram sets no error number
    // MSG_DONTWAIT: a datagram dropped between the readiness test and the read must not block the loop
    ssize_t n = recvfrom(e.iSock, ucBuf, static_cast<std::size_t>(iLen), MSG_DONTWAIT,
                         reinterpret_cast<struct sockaddr *>(&sa), &sl);
    int iErrno = errno;
    if (TEST_T_I || TEST_T_I1) UT_TRC("\n\n", "IP_RECV", "Nach RECVFROM   iier : %d", static_cast<int>(n));
    if (n < 0 && (iErrno == EAGAIN || iErrno == EWOULDBLOCK)) return -1;
    if (n <= 0) {
        iIP_Error = iErrno;
        UT_ERR_LOG(cRoutine, -10, iErrno, "RECVFROM");
        return -10;
    }
    if (RPort != nullptr) {
        RPort->ulAdr = IP_NL2L(sa.sin_addr.s_addr);
        RPort->usPort = IP_NS2S(sa.sin_port);
    }
    if (e.iProt == 1) {
        if (iCMD != nullptr) *iCMD = IP_CMD_DATA;
        if (iSCMD != nullptr) *iSCMD = IP_SCMD_RECEIVED;
    }
    return static_cast<int>(n);
}

int IP_RECV(int iIndex, IP_PORT *RPort, int *iCMD, int *iSCMD, int iLen, unsigned char *ucBuf) {
    if (UT_TRC_IN()) UT_TRC("\n\n", "IP_RECV", "Nach Aufruf    iIndex : %d   iLen : %d", iIndex, iLen);
    if (iCMD != nullptr) *iCMD = -1;
    iIP_Error = 0;
    int ier = -1;
    if (iIndex < 0 || iIndex >= IP_APP_MAX)
        ier = -2;
    else if (APP_IP[iIndex].iSock == -1)
        ier = -3;
    else if (iLen < 1)
        ier = -4;
    else if (ucBuf == nullptr)
        ier = -5;
    else if (BEREIT(APP_IP[iIndex].iSock))
        ier = LESEN(APP_IP[iIndex], RPort, iCMD, iSCMD, iLen, ucBuf);
    if (UT_TRC_OUT()) UT_TRC("\n\n", "IP_RECV", "Vor  RETURN    ier : %d", ier);
    return ier;
}
