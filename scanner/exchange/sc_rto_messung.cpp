// Learns a device's answer time from one answer: smoothed time and mean deviation with the gains 1/8 and 1/4,
// kept in eighths of a millisecond so that fast devices are not rounded to nothing.
#include <algorithm>
#include "scanner/exchange/sc_austausch.h"

void SC_RTO_MESSUNG(SC_RTO_Struct *stRto, std::uint32_t ulMs, int iVersuch, bool bSauber) {
    // An answer to a repeated request may belong to any of its tries, so it tells nothing about the answer
    // time; the longer timer that got it stays until an unrepeated request is answered. A request sent again
    // as a first try (after a router's hold) is no sample either: the answer may be one to the copy before.
    if (iVersuch > 0 || !bSauber) {
        stRto->iStufe = std::min(stRto->iStufe + iVersuch, SC_RTO_STUFE_MAX);
        return;
    }
    const std::uint64_t ullR8 = 8ULL * (ulMs < 600000 ? ulMs : 600000);
    if (stRto->ulAnz == 0) {
        stRto->ulSrtt8 = static_cast<std::uint32_t>(ullR8);
        stRto->ulVar8 = static_cast<std::uint32_t>(ullR8 / 2);
    } else {
        const std::uint64_t ullS8 = stRto->ulSrtt8;
        const std::uint64_t ullAbw = ullS8 > ullR8 ? ullS8 - ullR8 : ullR8 - ullS8;
        stRto->ulVar8 = static_cast<std::uint32_t>((3 * stRto->ulVar8 + ullAbw) / 4);
        stRto->ulSrtt8 = static_cast<std::uint32_t>((7 * ullS8 + ullR8) / 8);
    }
    stRto->ulAnz++;
    stRto->iStufe = 0;
}
