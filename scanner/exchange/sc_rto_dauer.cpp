// Timer length of one try: smoothed answer time + 4 x its deviation (1 s before the first answer), kept
// between floor and ceiling, and doubled per repetition and per doubling kept from earlier requests. The
// deviation term is the smoothed time at least: a trunk whose answers cluster with a rare late one (a token
// rotation) would otherwise shrink it until that late one is repeated.
#include <algorithm>
#include "scanner/exchange/sc_austausch.h"

std::uint32_t SC_RTO_DAUER(const SC_RTO_Struct *stRto, int iVersuch) {
    std::uint64_t ullMs = SC_RTO_ERST;
    if (stRto->ulAnz > 0) {
        // 8: the clock's 1 ms at least
        const std::uint64_t ullVar4 = std::max<std::uint64_t>({4ULL * stRto->ulVar8, stRto->ulSrtt8, 8});
        ullMs = (stRto->ulSrtt8 + ullVar4 + 7) / 8;
    }
    if (ullMs < SC_RTO_BODEN) ullMs = SC_RTO_BODEN;
    for (int i = 0; i < stRto->iStufe + iVersuch && ullMs < SC_RTO_DECKE; i++)
        ullMs *= 2;
    return static_cast<std::uint32_t>(ullMs < SC_RTO_DECKE ? ullMs : SC_RTO_DECKE);
}
