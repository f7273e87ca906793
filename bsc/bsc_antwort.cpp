// The reply to a request of the hub or of another node: the request's message id, and back to its sender
// when it came through the hub from another node.
#include <cstring>
#include "bsc/bsc_lws.h"

void BSC_ANTWORT(const BSC_KOPF *stKopf, unsigned char ucFunk, const unsigned char *ucNutz, int iLen) {
    unsigned char ucMsg[4 + BSC_VMAC_LEN + 64];
    if (iLen > 64) return;
    const int n = BSC_KOPF_SCHREIBEN(ucMsg, ucFunk, stKopf->usId, stKopf->ucVon);
    if (iLen > 0) std::memcpy(ucMsg + n, ucNutz, static_cast<std::size_t>(iLen));
    BSC_SCHLANGE(ucMsg, n + iLen);
}
