// A random VMAC: 48 random bits, of which the low four of the first byte say "locally administered unicast"
// (0010), as a node without a configured VMAC draws it.
#include "bsc/bsc.h"

void BSC_VMAC_NEU(unsigned char *ucVmac) {
    BSC_ZUFALL(ucVmac, BSC_VMAC_LEN);
    ucVmac[0] = static_cast<unsigned char>((ucVmac[0] & 0xF0) | 0x02);
}
