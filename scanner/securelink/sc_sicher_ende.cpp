// End of the scan through a hub: the Disconnect-Request. A connection that was lost and did not come back is
// said on the console: the devices it left unfinished were given up and named by the scan's verdicts.
#include <cstdio>
#include "bsc/bsc.h"
#include "runtime/ut/ut.h"
#include "scanner/securelink/sc_sicher.h"

void SC_SICHER_ENDE() {
    if (!bSC_Sicher) return;
    if (stBSC.ulVerbunden > 0 && stBSC.iZustand != BSC_OFFEN && stBSC.ulVerlorenMs != 0)
        std::printf("\n\n***  Verbindung zum Hub seit %lu s unterbrochen: %s  ***",
                    static_cast<unsigned long>((UT_MSEK() - stBSC.ulVerlorenMs) / 1000),
                    BSC_GRUND_TEXT(stBSC.iGrund, stBSC.iDetail, stBSC.cDetail));
    BSC_TRENNEN();
    pQX04_Link = nullptr;
}
