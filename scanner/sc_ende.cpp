// Verdict at the end of the sequential scan: an error, every known device done, or the reply that did not
// come.
#include "scanner/sc.h"

void SC_ENDE(SC_SCAN_Struct *stScan) {
    std::vector<std::string> vTimeout;
    if (stScan->iErg == 0 && SC_DEV_AKTIV(stScan)) {
        SC_RTO_TRC(&stScan->stRto, stScan->stObj.ulDev);
        vTimeout.emplace_back(SC_TMO_ADR(stScan));
    }
    SC_URTEIL(stScan->iErg, vTimeout);
}
