// Sends one datagram over an endpoint, to a given destination or to the endpoint's default one.
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "IP_SEND";

static void TRC_EINGANG(int iIndex, const IP_PORT *Ziel, int iCMD, int iSCMD, int iAnzahl,
                        const unsigned char *ucData) {
    char cZiel[32];
    const char *c = Ziel != nullptr ? IP_PORT2A(Ziel) : nullptr;
    std::snprintf(cZiel, sizeof cZiel, "%s", c != nullptr ? c : "* NULL *");
    UT_TRC(
        "\n\n", "IP_SEND",
        "Nach Aufruf    iIndex : %d\n         RPort : >%s<\n          iCMD : 0x%02x\n         iSCMD : 0x%02x",
        iIndex, cZiel, static_cast<unsigned>(iCMD), static_cast<unsigned>(iSCMD));
    if (iAnzahl > 0 && ucData != nullptr) {
        UT_TRC_CONT("\n\n  MESSAGE-Parameter    Anzahl : %d Byte", iAnzahl);
        for (int i = 0; i < iAnzahl; i++)
            UT_TRC_CONT("\n                  Byte[%03d] : 0x%02x", i, ucData[i]);
    }
    std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
}

static int SENDEN(int iSock, const IP_PORT &Ziel, int iAnzahl, const unsigned char *ucData) {
    struct sockaddr_in sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = IP_L2NL(Ziel.ulAdr);
    sa.sin_port = IP_S2NS(Ziel.usPort);
    ssize_t n = -1;
    int iErrno = EINVAL; // a negative count or missing bytes are never handed to the system
    bool bZulaessig = iAnzahl >= 0 && (ucData != nullptr || iAnzahl == 0);
    if (bZulaessig) {
        n = sendto(iSock, ucData, static_cast<std::size_t>(iAnzahl), 0,
                   reinterpret_cast<struct sockaddr *>(&sa), sizeof sa);
        iErrno = errno;
    }
    if (TEST_T_O || TEST_T_O1)
        UT_TRC("\n\n", "IP_SEND", "Nach SENDTO   iier : %d    L\x84nge : %d", static_cast<int>(n), iAnzahl);
    if (!bZulaessig || n != iAnzahl) {
        iIP_Error = iErrno;
        UT_ERR_LOG(cRoutine, -1, iErrno, IP_PORT2A(&Ziel));
        return -1;
    }
    return 0;
}

int IP_SEND(int iIndex, const IP_PORT *RPort, int iCMD, int iSCMD, int iAnzahl, const unsigned char *ucData) {
    bool bIndex = iIndex >= 0 && iIndex < IP_APP_MAX;
    bool bOffen = bIndex && APP_IP[iIndex].iSock != -1;
    const IP_PORT *Ziel = RPort != nullptr ? RPort : bOffen ? &APP_IP[iIndex].RPort : nullptr;
    if (UT_TRC_IN()) TRC_EINGANG(iIndex, Ziel, iCMD, iSCMD, iAnzahl, ucData);
    if (pfIP_Senke != nullptr && Ziel != nullptr) {
        pfIP_Senke(Ziel, iAnzahl, ucData);
        return 0;
    }
    iIP_Error = 0;
    int ier = 0;
    if (!bIndex) {
        ier = -2;
    } else if (!bOffen) {
        ier = -3;
    } else if (APP_IP[iIndex].iProt == 1) {
        if (iCMD == IP_CMD_DATA) {
            ier = SENDEN(APP_IP[iIndex].iSock, *Ziel, iAnzahl, ucData);
        } else {
            UT_ERR_LOG(cRoutine, -2, iCMD, "CMD");
            ier = -2;
        }
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", "IP_SEND", "Vor  RETURN    ier : %d", ier);
    return ier;
}
