// The next NPDU from the hub as the BACnet layer reads frames: behind an Original-Unicast-NPDU header, from
// the sender's VMAC. An answer takes its request off the list of open ones.
#include "bsc/bsc.h"
#include "scanner/securelink/sc_sicher.h"

constexpr int SC_BVLL_KOPF = 4;

int SC_SICHER_EMPFANGEN(IP_PORT *stVon, int iMax, unsigned char *ucBuf) {
    SC_SICHER_LAGE();
    unsigned char ucVmac[BSC_VMAC_LEN];
    const int n = iMax > SC_BVLL_KOPF ? BSC_EMPFANGEN(ucVmac, ucBuf + SC_BVLL_KOPF, iMax - SC_BVLL_KOPF) : -1;
    if (n < 0) return -1;
    const int iLen = n + SC_BVLL_KOPF;
    ucBuf[0] = 0x81; // BACnet/IP
    ucBuf[1] = 0x0A; // Original-Unicast-NPDU
    QX04_BN_S2BNS(static_cast<std::uint16_t>(iLen), ucBuf + 2);
    *stVon = SC_SICHER_ADR(ucVmac);
    SC_SICHER_ERLEDIGT(stVon, ucBuf);
    return iLen;
}
