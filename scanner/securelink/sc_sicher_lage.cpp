// What became of the hub's connection since the last look, said on the console as it happens: a loss (with
// its reason), and a reconnection, after which the requests still open go again.
#include <cstdio>
#include "bsc/bsc.h"
#include "runtime/ut/ut.h"
#include "scanner/securelink/sc_sicher.h"

void SC_SICHER_LAGE() {
    static std::uint32_t ulVerloren = 0, ulVerbunden = 0;
    if (ulVerbunden > stBSC.ulVerbunden) ulVerloren = ulVerbunden = 0; // a new run in the same process
    if (ulVerbunden == 0) ulVerbunden = stBSC.ulVerbunden;             // the set-up's connection
    if (stBSC.ulVerloren != ulVerloren) {
        ulVerloren = stBSC.ulVerloren;
        std::printf("\n\n(%s)   Verbindung zum Hub unterbrochen: %s", UT_T_TIME(),
                    BSC_GRUND_TEXT(stBSC.iGrund, stBSC.iDetail, stBSC.cDetail));
        std::fflush(stdout);
    }
    if (stBSC.ulVerbunden != ulVerbunden && stBSC.iZustand == BSC_OFFEN) {
        ulVerbunden = stBSC.ulVerbunden;
        const int n = SC_SICHER_NACHHOLEN();
        std::printf("\n\n(%s)   Wieder verbunden mit Hub %s, %d offene Anfragen wiederholt", UT_T_TIME(),
                    stBSC.astHub[stBSC.iHub].cUri, n);
        std::fflush(stdout);
    }
}
