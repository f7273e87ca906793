// Writes the header of a message the node sends: no originating address (the hub adds the node's own), a
// destination only where the message goes on to another node, no options.
#include <cstring>
#include "bsc/bsc.h"

int BSC_KOPF_SCHREIBEN(unsigned char *ucOut, unsigned char ucFunk, std::uint16_t usId,
                       const unsigned char *ucAn) {
    ucOut[0] = ucFunk;
    ucOut[1] = ucAn != nullptr ? BSC_F_AN : 0;
    ucOut[2] = static_cast<unsigned char>(usId >> 8);
    ucOut[3] = static_cast<unsigned char>(usId);
    if (ucAn == nullptr) return 4;
    std::memcpy(ucOut + 4, ucAn, BSC_VMAC_LEN);
    return 4 + BSC_VMAC_LEN;
}
