// Trace at the end of a device's scan, given up or not: its duration, the answer times learnt (of single
// requests, and of batches when there were any) and how often requests had to be repeated, so that a site's
// slow devices and lossy routes can be seen.
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch.h"

void SC_RTO_TRC(const SC_TRANSAKTION_Struct *stAnf, std::uint32_t ulDev) {
    if (!TEST_T_O && !TEST_T_O1) return;
    const SC_RTO_Struct *r = &stAnf->stRto, *m = &stAnf->stRtoRpm;
    UT_TRC("\n\n", "SC_LOOP",
           "Nach Device %lu   Dauer : %lu ms   RTT : %lu ms   Abweichung : %lu ms   Messungen : %lu   "
           "Wiederholungen : %lu   Timer : %lu ms",
           (unsigned long)ulDev, (unsigned long)(UT_MSEK() - r->ulBeginnMs),
           (unsigned long)((r->ulSrtt8 + 4) / 8), (unsigned long)((r->ulVar8 + 4) / 8),
           (unsigned long)r->ulAnz, (unsigned long)r->ulWdh, (unsigned long)SC_RTO_DAUER(r, 0));
    if (m->ulAnz > 0)
        UT_TRC_CONT("   RPM-RTT : %lu ms   RPM-Messungen : %lu", (unsigned long)((m->ulSrtt8 + 4) / 8),
                    (unsigned long)m->ulAnz);
}
