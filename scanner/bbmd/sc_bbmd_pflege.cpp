// Keeps the registration with the BBMD alive while the scan runs: renewed at half its time-to-live, so that
// one lost renewal still leaves the next one in time before the entry runs out. Timed on the monotonic clock,
// so that setting the clock back cannot stop the renewals. Refusals are reported and the scan goes on: the
// devices already known stay reachable without the BBMD.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"

void SC_BBMD_PFLEGE() {
    SC_BBMD_Struct &b = stSC_BbmdStand;
    if (!b.bAngemeldet) return;
    const std::uint32_t ulSeit = UT_MSEK() - b.ulGemeldetMs;
    if (SC_BBMD_ERGEBNIS()) {
        // a success answers the renewal; a refusal may also be of the Who-Is the BBMD was to distribute
        if (iQX04_BvlcErg != 0)
            SC_BBMD_FEHLER(iQX04_BvlcErg == SC_BBMD_ERG_WHOIS ? "Who-Is-Verteilung"
                                                              : "Erneuerung der Anmeldung",
                           iQX04_BvlcErg);
        iQX04_BvlcErg = -1;
        b.bFrist = false;
    } else if (b.bFrist && ulSeit > SC_BBMD_FRIST_MS) {
        SC_BBMD_FEHLER("Erneuerung der Anmeldung", -1);
        b.bFrist = false;
    }
    if (ulSeit >= static_cast<std::uint32_t>(iSC_BbmdTtl) * 1000 / 2) {
        SC_BBMD_MELDEN(true);
        b.ulGemeldetMs = UT_MSEK();
        b.bFrist = true;
    }
}
