// Sends an NPDU to a node through the hub, as an Encapsulated-NPDU with the node's VMAC (or the broadcast
// VMAC) as destination. It goes out with the next service pass.
#include <cstring>
#include "bsc/bsc.h"

int BSC_SENDEN(const unsigned char *ucAn, const unsigned char *ucNpdu, int iLen) {
    if (stBSC.iZustand != BSC_OFFEN) return -1;
    if (iLen < 1 || iLen > BSC_NPDU_MAX) return -2;
    unsigned char ucMsg[4 + BSC_VMAC_LEN + BSC_NPDU_MAX];
    const int n = BSC_KOPF_SCHREIBEN(ucMsg, BSC_NPDU, BSC_ID(), ucAn);
    std::memcpy(ucMsg + n, ucNpdu, static_cast<std::size_t>(iLen));
    return BSC_SCHLANGE(ucMsg, n + iLen) ? 0 : -2;
}
