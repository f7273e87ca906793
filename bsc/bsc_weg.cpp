// The connection is gone or the attempt failed. The reason is kept for the console. Past the set-up the
// next attempt is planned: after losing an open connection the primary hub at once, after a failed attempt
// the next hub at once, and when every hub has failed in turn, the first again after a back-off that doubles.
#include <cstdio>
#include "bsc/bsc_lws.h"
#include "runtime/ut/ut.h"

void BSC_WEG(int iGrund, int iDetail, const char *cDetail) {
    BSC_ZU();
    const std::uint32_t ulJetzt = UT_MSEK();
    const bool bWarOffen = stBSC.iZustand == BSC_OFFEN || stBSC.iZustand == BSC_ABMELDUNG;
    stBSC.iZustand = BSC_AUS;
    stBSC.iGrund = iGrund;
    stBSC.iDetail = iDetail;
    std::snprintf(stBSC.cDetail, sizeof stBSC.cDetail, "%s", cDetail != nullptr ? cDetail : "");
    if (UT_TRC_IN())
        UT_TRC("\n\n", "BSC_WEG", "Hub %d  Grund %d/%d  >%s<", stBSC.iHub, iGrund, iDetail, stBSC.cDetail);
    // NPDUs received are still handed up; they came before the loss
    if (bWarOffen && iGrund != BSC_G_KEIN) { // a loss; the node's own end is none
        stBSC.ulVerloren++;
        stBSC.ulVerlorenMs = ulJetzt != 0 ? ulJetzt : 1;
        stBSC.iPause = 0;
        stBSC.iHub = 0;
        stBSC.ulNaechsterMs = ulJetzt;
        return;
    }
    std::uint32_t ulPause = 0;
    if (++stBSC.iHub >= stBSC.iHubs) {
        stBSC.iHub = 0;
        ulPause = BSC_PAUSE_MS << (stBSC.iPause < 5 ? stBSC.iPause : 5);
        if (ulPause > BSC_PAUSE_MAX_MS) ulPause = BSC_PAUSE_MAX_MS;
        stBSC.iPause++;
    }
    stBSC.ulNaechsterMs = ulJetzt + ulPause;
}
