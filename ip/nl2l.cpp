// IPv4 address from network to host byte order, for endpoint records.
#include <arpa/inet.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

std::uint32_t IP_NL2L(std::uint32_t ulNL) {
    if (UT_TRC_IN()) UT_TRC("\n\n", "IP_NL2L", "Nach Aufruf  ulNL : 0x%08lX", (unsigned long)ulNL);
    std::uint32_t ulL = ntohl(ulNL);
    if (UT_TRC_OUT()) UT_TRC("\n\n", "IP_NL2L", "Vor  RETURN    ulL : 0x%08lX", (unsigned long)ulL);
    return ulL;
}
