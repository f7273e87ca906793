// Queues a message for the connection and asks to be told when it can be written.
#include <cstring>
#include "bsc/bsc_lws.h"

bool BSC_SCHLANGE(const unsigned char *ucMsg, int iLen) {
    if (iBSC_AusgangAnz == BSC_AUSGANG_MAX || iLen > BSC_BVLC_MAX || pBSC_Wsi == nullptr) return false;
    BSC_AUSGANG_Struct &a = astBSC_Ausgang[(iBSC_AusgangKopf + iBSC_AusgangAnz) % BSC_AUSGANG_MAX];
    std::memcpy(a.ucDaten + LWS_PRE, ucMsg, static_cast<std::size_t>(iLen));
    a.iLen = iLen;
    iBSC_AusgangAnz++;
    lws_callback_on_writable(pBSC_Wsi);
    return true;
}
