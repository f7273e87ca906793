// A VMAC as the BACnet layer's link address: its first four bytes in ulAdr, its last two in usPort, each read
// most significant first, so that the route table and the matching of answers treat it as they treat a B/IP
// endpoint.
#include "scanner/securelink/sc_sicher.h"

IP_PORT SC_SICHER_ADR(const unsigned char *ucVmac) {
    return {QX04_BN_BNL2L(ucVmac), QX04_BN_BNS2S(ucVmac + 4)};
}
