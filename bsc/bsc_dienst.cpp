// One service pass of the connection: the library reads and writes what it can without waiting, then the
// timers: an attempt or a Connect-Request that takes too long fails, a quiet hub is asked for a heartbeat
// and given up when it stays quiet, and after a loss the next attempt starts when it is due.
#include "bsc/bsc_lws.h"
#include "runtime/ut/ut.h"

void BSC_DIENST() {
    if (pBSC_Kontext == nullptr) return;
    lws_service(pBSC_Kontext, -1); // a negative time-out: serve what is ready, never wait
    const std::uint32_t ulJetzt = UT_MSEK();
    switch (stBSC.iZustand) {
    case BSC_AUFBAU:
    case BSC_ANMELDUNG:
        if (ulJetzt - stBSC.ulSeitMs >= BSC_AUFBAU_MS)
            BSC_WEG(stBSC.iZustand == BSC_AUFBAU ? BSC_G_NETZ : BSC_G_STUMM, 0, "Zeit abgelaufen");
        break;
    case BSC_OFFEN:
        if (!stBSC.bHerz && ulJetzt - stBSC.ulEmpfMs >= BSC_HERZ_MS) {
            unsigned char ucMsg[4];
            BSC_KOPF_SCHREIBEN(ucMsg, BSC_HERZ, BSC_ID(), nullptr);
            if (BSC_SCHLANGE(ucMsg, sizeof ucMsg)) stBSC.bHerz = true, stBSC.ulSeitMs = ulJetzt;
        } else if (stBSC.bHerz && ulJetzt - stBSC.ulSeitMs >= BSC_HERZ_MS) {
            BSC_WEG(BSC_G_STUMM, 0, "Heartbeat");
        }
        break;
    case BSC_AUS:
        if (stBSC.bDauer && ulJetzt - stBSC.ulNaechsterMs < 0x80000000u) BSC_VERBINDEN(stBSC.iHub);
        break;
    default:
        break;
    }
}
