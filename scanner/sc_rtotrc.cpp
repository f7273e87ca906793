// Trace at the end of a device's scan, given up or not: its duration, the answer time learnt and how often
// requests had to be repeated, so that a site's slow devices and lossy routes can be seen.
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

void SC_RTO_TRC(const SC_RTO_Struct *stRto, std::uint32_t ulDev) {
    if (!TEST_T_O && !TEST_T_O1) return;
    UT_TRC("\n\n", "SC_LOOP",
           "Nach Device %lu   Dauer : %lu ms   RTT : %lu ms   Abweichung : %lu ms   Messungen : %lu   "
           "Wiederholungen : %lu   Timer : %lu ms",
           (unsigned long)ulDev, (unsigned long)(UT_MSEK() - stRto->ulBeginnMs),
           (unsigned long)((stRto->ulSrtt8 + 4) / 8), (unsigned long)((stRto->ulVar8 + 4) / 8),
           (unsigned long)stRto->ulAnz, (unsigned long)stRto->ulWdh, (unsigned long)SC_RTO_DAUER(stRto, 0));
}
