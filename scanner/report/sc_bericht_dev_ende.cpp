// A device's scan has ended (its list, a time-out, or given up): what the exchange counted, and for a
// missing answer the object it cut, whose last request counts as unanswered.
#include "scanner/report/sc_bericht_intern.h"

void SC_BERICHT_DEV_ENDE(const SC_EREIGNIS_Struct *e) {
    static const char *const acMehr[] = {"off", "used", "fallback", "refused"};
    const SC_EV_ENDE_Struct &s = e->stEnde;
    SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(e->uDev);
    const bool bKomplett = s.iAusgang == SC_AUS_KOMPLETT;
    d.iAusgang = s.iAusgang;
    d.ulAnfragen = s.ulAnfragen;
    d.ulWdh = s.ulWdh;
    d.ulStille = s.ulStille + (bKomplett ? 0 : 1);
    d.ulDauerMs = s.ulDauerMs;
    d.ulAntwortMs = s.ulAntwortMs;
    d.cRpm = acMehr[s.iMehr];
    if (!bKomplett)
        d.vProbleme.push_back({e->ulObjId, -1, -1, e->usProp, SC_AW_KEINE, -1, 0,
                               e->iSchritt == 0 ? "object-list-ended" : "not-read",
                               e->cId != nullptr ? e->cId : ""});
}
