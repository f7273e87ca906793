// A device is started: its record begins, and the scan's start is the estimate's.
#include "runtime/ut/ut.h"
#include "scanner/report/sc_bericht.h"
#include "scanner/walk/sc_scan.h"

void SC_BERICHT_DEV_ANFANG(const SC_SCAN_Struct *stScan) {
    if (!stSC_Bericht.bAn) return;
    SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(stScan->stGang.uDevIdx);
    d = SC_GERAETBERICHT_Struct{};
    d.bGestartet = true;
    if (stSC_Bericht.ulBeginnMs == 0) stSC_Bericht.ulBeginnMs = UT_MSEK() | 1;
}
