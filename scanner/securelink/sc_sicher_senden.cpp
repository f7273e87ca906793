// A frame of the BACnet layer through the hub: its NPDU (behind whichever BVLL header the layer wrote) to the
// node's VMAC, or to every node for an Original-Broadcast-NPDU. A confirmed request is kept until answered,
// also when the connection is down: it goes when the connection is back.
#include <cstring>
#include "bsc/bsc.h"
#include "scanner/securelink/sc_sicher.h"

constexpr unsigned char SC_BVLL_RUNDRUF = 0x0B; // Original-Broadcast-NPDU

int SC_SICHER_SENDEN(const IP_PORT *stZiel, int iLen, const unsigned char *ucFrame) {
    const int n = QX04_BN_POSNPDU(ucFrame);
    if (n <= 0 || n >= iLen || static_cast<int>(QX04_BN_BVLCLEN(ucFrame)) != iLen) return -2;
    unsigned char ucAn[BSC_VMAC_LEN];
    if (ucFrame[1] == SC_BVLL_RUNDRUF)
        std::memcpy(ucAn, BSC_VMAC_ALLE, BSC_VMAC_LEN);
    else
        SC_SICHER_VMAC(stZiel, ucAn);
    SC_SICHER_MERKEN(stZiel, ucFrame, iLen);
    return BSC_SENDEN(ucAn, ucFrame + n, iLen - n);
}
