// Verdict at the end of the sequential scan: an error, every known device done, or the reply that did not
// come.
#include "scanner/event/sc_ereignis.h"
#include "scanner/loop/sc_ablauf.h"
#include "scanner/walk/sc_scan.h"

int SC_ENDE(SC_SCAN_Struct *stScan) {
    const char *acTimeout[1];
    int n = 0;
    if (stScan->stGang.iErg == 0 && SC_DEV_AKTIV(&stScan->stGang)) {
        SC_DEV_SCHLUSS(stScan, SC_AUS_TIMEOUT);
        acTimeout[n++] = SC_TMO_ADR(stScan);
    }
    return SC_URTEIL(stScan->stGang.iErg, acTimeout, n);
}
