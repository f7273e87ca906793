// Endpoint record as operators see it in traces, error logs and files: "a.b.c.d#port".
#include <arpa/inet.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "IP_PORT2A";
static char cPort[32];

char *IP_PORT2A(const IP_PORT *Port) {
    std::uint32_t ulAdr = Port != nullptr ? Port->ulAdr : 0xFFFFFFFF;
    unsigned uPort = Port != nullptr ? Port->usPort : 0xFFFF;
    if (UT_TRC_IN())
        UT_TRC("\n\n", "IP_PORT2A", "Nach Aufruf  PORT : 0x%08lX/%u", (unsigned long)ulAdr, uPort);
    int ier = 0;
    if (Port != nullptr) {
        struct in_addr ia;
        ia.s_addr = IP_L2NL(ulAdr);
        ier = std::snprintf(cPort, sizeof cPort, "%s%c%u", inet_ntoa(ia), '#', uPort);
    }
    char *cRet = ier > 0 ? cPort : nullptr;
    if (cRet == nullptr) UT_ERR_LOG(cRoutine, ier, 1, nullptr);
    if (UT_TRC_OUT())
        UT_TRC("\n\n", "IP_PORT2A", "Vor  RETURN   ier : %d   cRETURN : >%s<", ier,
               cRet != nullptr ? cRet : "* NULL *");
    return cRet;
}
