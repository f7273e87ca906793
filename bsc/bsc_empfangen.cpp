// The next NPDU received from the hub, in arrival order; the connection is served first when none is
// waiting. Reading resumes once the node has caught up with a pause it asked for.
#include <cstring>
#include "bsc/bsc_lws.h"

int BSC_EMPFANGEN(unsigned char *ucVon, unsigned char *ucNpdu, int iMax) {
    if (iBSC_EingangAnz == 0) BSC_DIENST();
    if (iBSC_EingangAnz == 0) return -1;
    const BSC_EINGANG_Struct &e = astBSC_Eingang[iBSC_EingangKopf];
    iBSC_EingangKopf = (iBSC_EingangKopf + 1) % BSC_EINGANG_MAX;
    iBSC_EingangAnz--;
    if (bBSC_Gebremst && iBSC_EingangAnz < BSC_EINGANG_MAX / 2) {
        bBSC_Gebremst = false;
        if (pBSC_Wsi != nullptr) lws_rx_flow_control(pBSC_Wsi, 1);
    }
    const int n = e.iLen < iMax ? e.iLen : iMax;
    std::memcpy(ucVon, e.ucVon, BSC_VMAC_LEN);
    std::memcpy(ucNpdu, e.ucNpdu, static_cast<std::size_t>(n));
    return n;
}
