// A device that has answered twice: invoke id ucId rests until a late copy of the answer it carried last time
// can no longer come, twice as long as the latest copy seen (at most SC_KOPIE_MAX_MS, well inside the
// deadline of the request answered last).
#include <algorithm>
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch.h"

constexpr std::uint32_t SC_KOPIE_ZUSCHLAG_MS = 20; // the clock's and the scheduler's grain

bool SC_RUHT(const SC_TRANSAKTION_Struct *stAnf, unsigned char ucId) {
    if (stAnf->ulKopieMs == 0) return false;
    const std::uint32_t ulZuletzt = stAnf->aulAntwortMs[ucId];
    const std::uint32_t ulRuhe =
        std::min<std::uint32_t>(2 * stAnf->ulKopieMs + SC_KOPIE_ZUSCHLAG_MS, SC_KOPIE_MAX_MS);
    return ulZuletzt != 0 && UT_MSEK() - ulZuletzt < ulRuhe;
}
