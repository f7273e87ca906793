// Takes the local host's addresses once, so that the own-echo check of every received frame and the source
// address of every routed request do not resolve the host name again: a storm of answers would otherwise
// cost one name lookup per datagram.
#include "ip/ip.h"

int IP_HOST_MERKEN() {
    int n = 0;
    for (std::uint32_t ulAdr = IP_GET_HOST(0); ulAdr != 0xFFFFFFFF && n < IP_HOST_MAX; ulAdr = IP_GET_HOST(n))
        ulIP_HostAdr[n++] = ulAdr;
    iIP_HostAnz = n;
    return n;
}
