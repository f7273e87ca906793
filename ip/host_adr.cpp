// The local host's address number Index: from the addresses taken at set-up when they were taken, otherwise
// resolved now.
#include "ip/ip.h"

std::uint32_t IP_HOST_ADR(int Index) {
    if (iIP_HostAnz < 0) return IP_GET_HOST(Index);
    return Index >= 0 && Index < iIP_HostAnz ? ulIP_HostAdr[Index] : 0xFFFFFFFF;
}
