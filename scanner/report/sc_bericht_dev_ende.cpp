// A device's scan has ended (its list, a time-out, or given up): what the exchange counted, and for a
// missing answer the object it cut.
#include "runtime/ut/ut.h"
#include "scanner/report/sc_bericht.h"
#include "scanner/walk/sc_scan.h"

// How the device took ReadPropertyMultiple.
static const char *RPM(const SC_RPM_Struct &r) {
    if (iSC_Mehrfach == 0) return "off";
    if (r.bNurRP) return r.iEinzeln >= 2 ? "fallback" : "refused";
    return r.iEinzeln > 0 ? "fallback" : "used";
}

void SC_BERICHT_DEV_ENDE(const SC_SCAN_Struct *stScan, int iAusgang) {
    if (!stSC_Bericht.bAn) return;
    const SC_TRANSAKTION_Struct &a = stScan->stAnf;
    const SC_GANG_Struct &g = stScan->stGang;
    SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(g.uDevIdx);
    d.iAusgang = iAusgang;
    d.ulAnfragen = a.ulAnfragen;
    d.ulWdh = a.stRto.ulWdh;
    d.ulStille = a.ulStille + (iAusgang == SC_AUS_KOMPLETT ? 0 : 1);
    d.ulDauerMs = UT_MSEK() - a.stRto.ulBeginnMs;
    const SC_RTO_Struct &r = a.stRto.ulAnz > 0 ? a.stRto : a.stRtoRpm;
    d.ulAntwortMs = (r.ulSrtt8 + 4) / 8;
    d.cRpm = RPM(stScan->stRpm);
    if (iAusgang != SC_AUS_KOMPLETT)
        d.vProbleme.push_back({g.stObj.ulObjId, -1, false, g.usPropId, 0, -1, 0,
                               g.PROP_Modus == 0 ? "object-list-ended" : "not-read", g.stObj.cDpId});
}
