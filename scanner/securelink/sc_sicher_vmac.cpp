// The VMAC in a link address of the scan through a hub.
#include "scanner/securelink/sc_sicher.h"

void SC_SICHER_VMAC(const IP_PORT *stAdr, unsigned char *ucVmac) {
    QX04_BN_L2BNL(stAdr->ulAdr, ucVmac);
    QX04_BN_S2BNS(stAdr->usPort, ucVmac + 4);
}
