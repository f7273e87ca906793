// The end of the device in progress, whichever loop ends it (its list ended, a time-out, given up): the
// exchange's trace of its answer times, and the event with what the exchange counted and the object the end
// cut. Both loops tell a device's end only through here.
#include "runtime/ut/ut.h"
#include "scanner/walk/sc_scan.h"

// How the device took ReadPropertyMultiple.
static int MEHR(const SC_RPM_Struct &r) {
    if (iSC_Mehrfach == 0) return SC_MEHR_AUS;
    if (r.bNurRP) return r.iEinzeln >= 2 ? SC_MEHR_ZURUECK : SC_MEHR_ABGELEHNT;
    return r.iEinzeln > 0 ? SC_MEHR_ZURUECK : SC_MEHR_GENUTZT;
}

void SC_DEV_SCHLUSS(const SC_SCAN_Struct *stScan, int iAusgang) {
    const SC_TRANSAKTION_Struct &a = stScan->stAnf;
    const SC_GANG_Struct &g = stScan->stGang;
    SC_RTO_TRC(&a, g.stObj.ulDev);
    SC_EREIGNIS_Struct e = SC_GANG_EREIGNIS(SC_EV_DEV_ENDE, &g);
    e.iIndex = g.iObjIdx; // the object-list element the end cut
    SC_EV_ENDE_Struct &d = e.stEnde;
    d.iAusgang = iAusgang;
    d.ulAnfragen = a.ulAnfragen;
    d.ulWdh = a.stRto.ulWdh;
    d.ulStille = a.ulStille;
    d.ulSpaet = a.ulSpaet;
    d.ulDauerMs = UT_MSEK() - a.stRto.ulBeginnMs;
    const SC_RTO_Struct &r = a.stRto.ulAnz > 0 ? a.stRto : a.stRtoRpm;
    d.ulAntwortMs = (r.ulSrtt8 + 4) / 8;
    d.iMehr = MEHR(stScan->stRpm);
    SC_MELDEN(&e);
}
