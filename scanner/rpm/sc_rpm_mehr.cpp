// An answered batch lets the limit grow back: doubled, up to what a size that failed twice has left, so that
// one lost datagram costs a few smaller batches and not the rest of the device at half size.
#include <algorithm>
#include "scanner/rpm/sc_rpm.h"

void SC_RPM_MEHR(SC_RPM_MENGE_Struct *stMenge) {
    stMenge->iMax = std::min(2 * stMenge->iMax, stMenge->iDecke);
}
