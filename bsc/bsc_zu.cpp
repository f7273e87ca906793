// Closes the current connection from the node's side: its close frame goes out with the next service,
// anything it still reports is past, and nothing queued for it is sent.
#include "bsc/bsc_lws.h"

void BSC_ZU() {
    iBSC_AusgangAnz = 0;
    if (pBSC_Wsi == nullptr) return;
    pBSC_Zu = pBSC_Wsi;
    pBSC_Wsi = nullptr;
    lws_callback_on_writable(pBSC_Zu);
}
