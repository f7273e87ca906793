// The local address the host sends from toward a destination: the scanner names its own entry by it when it
// leaves a BBMD's table. Behind address translation the BBMD knows another address and refuses the delete;
// the entry then lapses with its time-to-live.
// Nothing is sent: connecting a UDP socket only chooses the route.
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "IP_LOKAL";

std::uint32_t IP_LOKAL(const IP_PORT *Ziel) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf   Ziel : >%s<", IP_PORT2A(Ziel));
    std::uint32_t ulAdr = 0xFFFFFFFF;
    int iSock = socket(AF_INET, SOCK_DGRAM, 0);
    struct sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = IP_L2NL(Ziel->ulAdr);
    sa.sin_port = IP_S2NS(Ziel->usPort);
    socklen_t sl = sizeof sa;
    if (iSock >= 0 && connect(iSock, reinterpret_cast<struct sockaddr *>(&sa), sizeof sa) == 0 &&
        getsockname(iSock, reinterpret_cast<struct sockaddr *>(&sa), &sl) == 0)
        ulAdr = IP_NL2L(sa.sin_addr.s_addr);
    else
        UT_ERR_LOG(cRoutine, -1, errno, IP_PORT2A(Ziel));
    if (iSock >= 0) close(iSock);
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   IP-Adr.: 0x%08lX", (unsigned long)ulAdr);
    return ulAdr;
}
