// Port number from network to host byte order, for endpoint records.
#include <arpa/inet.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

std::uint16_t IP_NS2S(std::uint16_t usNS) {
    if (UT_TRC_IN()) UT_TRC("\n\n", "IP_NS2S", "Nach Aufruf  usNS : 0x%04X", usNS);
    std::uint16_t usS = ntohs(usNS);
    if (UT_TRC_OUT()) UT_TRC("\n\n", "IP_NS2S", "Vor  RETURN    usS : 0x%04X", usS);
    return usS;
}
