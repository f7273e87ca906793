// Opens a UDP or TCP endpoint in the lowest free entry of the endpoint table.
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "IP_OPEN";

// Keeps the system error number of the call that just failed and logs it.
static int FEHLER(const char *cCall) {
    iIP_Error = errno;
    UT_ERR_LOG(cRoutine, -1, iIP_Error, cCall);
    return -1;
}

static struct sockaddr_in ADRESSE(std::uint32_t ulAdr, int iPort) {
    struct sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = IP_L2NL(ulAdr);
    sa.sin_port = IP_S2NS(static_cast<std::uint16_t>(iPort));
    return sa;
}

static int
BINDEN(int iSock, int iPort) {
    struct sockaddr_in sa = ADRESSE(INADDR_ANY, iPort);
    return bind(iSock, reinterpret_cast<struct sockaddr *>(&sa), sizeof sa);
}

// Everything after the socket exists: default destination, then bind, connect or listen.
static int EINRICHTEN(IP_APP &e, const char *cRPort) {
    if (cRPort == nullptr) {
        e.RPort = IP_PORT{0xFFFFFFFF, 0xFFFF};
    } else if (IP_A2PORT(cRPort, &e.RPort) != 0) {
        iIP_Error = -1;
        UT_ERR_LOG(cRoutine, -1, -1, cRPort);
        return -1;
    }
    int iEin = 1;
    if (e.iProt == 1) {
        // the scanner's Who-Is goes to directed broadcast addresses
        setsockopt(e.iSock, SOL_SOCKET, SO_BROADCAST, &iEin, sizeof iEin);
        if (BINDEN(e.iSock, e.iPort) != 0) {
            FEHLER("BIND UDP");
            UT_ERR_LOG(cRoutine, -1, e.iPort, "KIND-Prozess aktiv ??");
            return -1;
        }
    } else if (cRPort != nullptr) {
        struct sockaddr_in sa = ADRESSE(e.RPort.ulAdr, e.RPort.usPort);
        if (connect(e.iSock, reinterpret_cast<struct sockaddr *>(&sa), sizeof sa) != 0)
            return FEHLER("CONNECT TCP");
    } else {
        setsockopt(e.iSock, SOL_SOCKET, SO_REUSEADDR, &iEin, sizeof iEin);
        if (BINDEN(e.iSock, e.iPort) != 0) return FEHLER("BIND TCP");
        if (listen(e.iSock, 5) != 0) return FEHLER("LISTEN TCP");
    }
    return 0;
}

int IP_OPEN(int iProt, int iPort, const char *cRPort) {
    if (UT_TRC_IN())
        UT_TRC("\n\n", "IP_OPEN", "Nach Aufruf    Prot : %d   Port : %d\n   cRPort : >%s<", iProt, iPort,
               cRPort != nullptr ? cRPort : "* NULL *");
    int ier;
    int i = 0;
    while (i < IP_APP_MAX && APP_IP[i].iSock != -1)
        i++;
    iIP_Error = 0;
    if (i == IP_APP_MAX) {
        ier = -2;
    } else if (iProt != 1 && iProt != 2) {
        iIP_Error = EPROTONOSUPPORT;
        ier = -3;
    } else {
        int iSock = socket(AF_INET, iProt == 1 ? SOCK_DGRAM : SOCK_STREAM, 0);
        if (iSock < 0) {
            ier = FEHLER("SOCKET");
        } else {
            APP_IP[i].iSock = iSock;
            APP_IP[i].iPort = iPort;
            APP_IP[i].iProt = iProt;
            ier = i;
            if (EINRICHTEN(APP_IP[i], cRPort) != 0) {
                close(iSock); // the entry is given back, so nobody else would ever close it
                APP_IP[i].iSock = -1;
                ier = -1;
            }
        }
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", "IP_OPEN", "Vor  RETURN    ier : %d", ier);
    return ier;
}
