// Port number from host to network byte order, for the socket calls.
#include <arpa/inet.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

std::uint16_t IP_S2NS(std::uint16_t usS) {
    if (UT_TRC_IN()) UT_TRC("\n\n", "IP_S2NS", "Nach Aufruf  usS : 0x%04X", usS);
    std::uint16_t usNS = htons(usS);
    if (UT_TRC_OUT()) UT_TRC("\n\n", "IP_S2NS", "Vor  RETURN    usNS : 0x%04X", usNS);
    return usNS;
}
