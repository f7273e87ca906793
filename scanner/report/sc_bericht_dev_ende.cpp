// A device's scan has ended (its list, a time-out, or given up): what the exchange counted, and for a
// missing answer the object it cut, whose last request counts as unanswered, and the object-list elements
// never read after it (when the list's length is known).
#include <algorithm>
#include "bacnet/bn.h"
#include "scanner/report/sc_bericht_intern.h"

// The network of device uDev when a router said it is not a router to it (the device's silence is then no
// lost answer), else -1.
static int KEIN_ROUTER(std::uint32_t uDev) {
    if (BN_ROUTE_QX04_Struct == nullptr || uDev >= uQX04_Anz_Dev || BN_ROUTE_QX04_Struct[uDev].ucSLEN == 0)
        return -1;
    const std::uint16_t usNetz = BN_ROUTE_QX04_Struct[uDev].usSNET;
    for (const SC_NETZBERICHT_Struct &n : stSC_Bericht.vNetz)
        if (n.uTyp == QX04_NL_REJECT && n.uGrund == QX04_NL_REJ_KEIN_ROUTER &&
            std::find(n.vNetze.begin(), n.vNetze.end(), usNetz) != n.vNetze.end())
            return usNetz;
    return -1;
}

void SC_BERICHT_DEV_ENDE(const SC_EREIGNIS_Struct *e) {
    static const char *const acMehr[] = {"off", "used", "fallback", "refused"};
    const SC_EV_ENDE_Struct &s = e->stEnde;
    SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(e->uDev);
    const bool bKomplett = s.iAusgang == SC_AUS_KOMPLETT;
    d.iAusgang = s.iAusgang;
    d.ulAnfragen = s.ulAnfragen;
    d.ulWdh = s.ulWdh;
    d.ulSpaet = s.ulSpaet;
    d.ulStille = s.ulStille + (bKomplett ? 0 : 1);
    d.ulDauerMs = s.ulDauerMs;
    d.ulAntwortMs = s.ulAntwortMs;
    d.cRpm = acMehr[s.iMehr];
    if (!bKomplett && d.lListeLen >= 0 && e->iIndex >= 0) {
        d.lNieVon = e->iSchritt == 0 ? e->iIndex : e->iIndex + 1;
        d.lNieBis = d.lListeLen;
    }
    const int iNetz = bKomplett ? -1 : KEIN_ROUTER(e->uDev);
    if (!bKomplett)
        d.vProbleme.push_back({e->ulObjId, -1, -1, e->usProp, iNetz >= 0 ? SC_AW_KEIN_ROUTER : SC_AW_KEINE,
                               -1, iNetz, e->iSchritt == 0 ? "object-list-ended" : "not-read",
                               e->cId != nullptr ? e->cId : ""});
}
