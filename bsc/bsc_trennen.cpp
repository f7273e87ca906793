// Ends the node's connection: a Disconnect-Request, its ACK waited for briefly, the close sent, and the
// context released. A lost connection is not tried again from here on.
#include "bsc/bsc_lws.h"
#include "runtime/ut/ut.h"

void BSC_TRENNEN() {
    if (pBSC_Kontext == nullptr) return;
    stBSC.bDauer = false;
    if (stBSC.iZustand == BSC_OFFEN) {
        unsigned char ucMsg[4];
        BSC_KOPF_SCHREIBEN(ucMsg, BSC_DISCONNECT, BSC_ID(), nullptr);
        if (BSC_SCHLANGE(ucMsg, sizeof ucMsg)) {
            stBSC.iZustand = BSC_ABMELDUNG;
            const std::uint32_t ulAb = UT_MSEK();
            while (stBSC.iZustand == BSC_ABMELDUNG && UT_MSEK() - ulAb < BSC_ABMELDUNG_MS)
                BSC_WARTEN(10);
        }
    }
    if (stBSC.iZustand != BSC_AUS) BSC_WEG(BSC_G_KEIN, 0, "");
    // the close frame goes out before the context is gone
    for (int i = 0; i < 20 && pBSC_Zu != nullptr; i++)
        BSC_WARTEN(5);
    lws_context_destroy(pBSC_Kontext);
    pBSC_Kontext = nullptr;
    pBSC_Wsi = pBSC_Zu = nullptr;
}
