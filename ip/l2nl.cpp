// IPv4 address from host to network byte order, for the socket calls.
#include <arpa/inet.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

std::uint32_t IP_L2NL(std::uint32_t ulL) {
    if (UT_TRC_IN()) UT_TRC("\n\n", "IP_L2NL", "Nach Aufruf  ulL : 0x%08lX", (unsigned long)ulL);
    std::uint32_t ulNL = htonl(ulL);
    if (UT_TRC_OUT()) UT_TRC("\n\n", "IP_L2NL", "Vor  RETURN    ulNL : 0x%08lX", (unsigned long)ulNL);
    return ulNL;
}
