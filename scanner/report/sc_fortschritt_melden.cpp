// The progress line's observer: it takes the place of every status line of the scan, is drawn again at least
// once a second while the scan waits; what a line could not show for the four-a-second limit (a device's end,
// the last one's too, before the end wait) is shown by the next pass that waits.
#include "runtime/ut/ut.h"
#include "scanner/report/sc_bericht_intern.h"

constexpr std::uint32_t SC_STILL_MS = 1000; // a waiting scan's line is drawn again after this

int SC_FORTSCHRITT_MELDEN(const SC_EREIGNIS_Struct *e) {
    SC_BERICHT_Struct &b = stSC_Bericht;
    if (e->iArt == SC_EV_STATUS) {
        b.ulLetztDev = e->ulDev;
        b.sLetztObj = e->cId != nullptr ? e->cId : "";
    }
    b.bOffen = b.bOffen || e->iArt == SC_EV_STATUS || e->iArt == SC_EV_DEV_ENDE;
    if (b.bOffen || (e->iArt == SC_EV_TAKT && UT_MSEK() - b.ulZuletztMs >= SC_STILL_MS))
        SC_FORTSCHRITT_ZEILE(b.ulLetztDev, b.sLetztObj.c_str());
    return 0;
}
