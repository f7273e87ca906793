// Verdict at the end of the sequential scan: an error, every known device done, or the replies that did not
// come: one per device given up on the way, in table order, and the device still in progress.
#include "scanner/event/sc_ereignis.h"
#include "scanner/loop/sc_ablauf.h"
#include "scanner/walk/sc_scan.h"

int SC_ENDE(SC_SCAN_Struct *stScan) {
    std::vector<const char *> acTimeout;
    for (const std::string &s : vSC_Aufgegeben)
        acTimeout.push_back(s.c_str());
    if (stScan->stGang.iErg == 0 && SC_DEV_AKTIV(&stScan->stGang)) {
        SC_DEV_SCHLUSS(stScan, SC_AUS_TIMEOUT);
        acTimeout.push_back(SC_TMO_ADR(stScan));
    }
    const int iErg = SC_URTEIL(stScan->stGang.iErg, acTimeout.data(), static_cast<int>(acTimeout.size()));
    vSC_Aufgegeben.clear();
    return iErg;
}
