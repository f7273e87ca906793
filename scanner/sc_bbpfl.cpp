// Keeps the registration with the BBMD alive while the scan runs: renewed at half its time-to-live, so that
// one lost renewal still leaves the next one in time before the entry runs out. Refusals are reported and
// the scan goes on: the devices already known stay reachable without the BBMD.
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

void SC_BBMD_PFLEGE() {
    if (iSC_BbmdStand != 1) return;
    if (iQX04_BvlcErg >= 0 && stQX04_BvlcVon.ulAdr == stSC_Bbmd.ulAdr &&
        stQX04_BvlcVon.usPort == stSC_Bbmd.usPort) {
        // a success answers the renewal; a refusal may also be of the Who-Is the BBMD was to distribute
        if (iQX04_BvlcErg != 0)
            SC_BBMD_FEHLER(iQX04_BvlcErg == 0x0060 ? "Who-Is-Verteilung" : "Erneuerung der Anmeldung",
                           iQX04_BvlcErg);
        iQX04_BvlcErg = -1;
        ulSC_BbmdFrist = 0;
    } else if (ulSC_BbmdFrist != 0 && ulUT_LOOPZeit > ulSC_BbmdFrist) {
        SC_BBMD_FEHLER("Erneuerung der Anmeldung", -1);
        ulSC_BbmdFrist = 0;
    }
    if (ulUT_LOOPZeit >= ulSC_BbmdNeu) {
        SC_BBMD_MELDEN(true);
        ulSC_BbmdNeu = UT_DT_ADD(ulUT_LOOPZeit, 0, static_cast<std::uint32_t>(iSC_BbmdTtl / 2));
        ulSC_BbmdFrist = UT_DT_ADD(ulUT_LOOPZeit, 0, 2);
    }
}
