// The scan's deadline: loop time 5 seconds after the latest request sent or handed back, by the end rule of
// the scan loops. The one deadline that runs on loop time; the waits of the single requests run on the
// monotonic clock, so a clock set back cannot hold them.
#include "scanner/exchange/sc_austausch_intern.h"

std::uint32_t SC_FRIST() {
    return ulSC_RecvTmo;
}
