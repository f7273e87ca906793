// The local host's IPv4 addresses one by one, for the Who-Is broadcasts and the own-address checks.
#include <arpa/inet.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <netdb.h>
#include <unistd.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "IP_GET_HOST";

static bool TRC_INNEN() {
    return TEST_T_A || TEST_T_A2;
}

std::uint32_t IP_GET_HOST(int Index) {
    if (UT_TRC_IN()) UT_TRC("\n\n", "IP_GET_HOST", "Nach Aufruf   Index : %d", Index);
    std::uint32_t ulAdr = 0xFFFFFFFF;
    char cBuf[128] = {};
    int iier = 0;
    int iErrno = 0;
    // HOST lets an operator (and the tests) choose which name, hence which addresses, count as local
    const char *cEnv = std::getenv("HOST");
    if (cEnv == nullptr) cEnv = std::getenv("HOSTNAME");
    bool bZuLang = cEnv != nullptr && std::strlen(cEnv) >= sizeof cBuf;
    if (cEnv != nullptr) {
        if (!bZuLang) std::memcpy(cBuf, cEnv, std::strlen(cEnv) + 1);
    } else {
        iier = gethostname(cBuf, sizeof cBuf);
        iErrno = errno;
        cBuf[sizeof cBuf - 1] = '\0';
    }
    const char *cName = bZuLang ? cEnv : cBuf;
    if (TRC_INNEN()) UT_TRC("\n\n", "IP_GET_HOST", "Nach GETHOSTNAME   iier : %d   Buf.: >%s<", iier, cName);
    if (iier != 0) {
        UT_ERR_LOG(cRoutine, iier, iErrno, "GETHOSTNAME");
    } else {
        // a name too long for the buffer is refused like one that does not resolve, never cut
        struct hostent *he = bZuLang ? nullptr : gethostbyname(cBuf);
        if (he == nullptr || he->h_addrtype != AF_INET || he->h_length != 4) {
            UT_ERR_LOG(cRoutine, -2, 1, cName);
        } else {
            int i = 0;
            for (; i < Index && he->h_addr_list[i] != nullptr; i++) {
                if (TRC_INNEN()) {
                    struct in_addr ia;
                    std::memcpy(&ia, he->h_addr_list[i], sizeof ia);
                    UT_TRC("\n\n", "IP_GET_HOST",
                           "\x9A"
                           "berlesen von IP-Adr[%d] : >%s<",
                           i, inet_ntoa(ia));
                }
            }
            if (he->h_addr_list[i] != nullptr) {
                std::uint32_t ulNL;
                std::memcpy(&ulNL, he->h_addr_list[i], sizeof ulNL);
                ulAdr = IP_NL2L(ulNL);
            }
        }
    }
    if (UT_TRC_OUT())
        UT_TRC("\n\n", "IP_GET_HOST", "Vor  RETURN   ier : %d    IP-Adr.: 0x%08lX", iier,
               (unsigned long)ulAdr);
    return ulAdr;
}
