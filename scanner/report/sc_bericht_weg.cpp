// An object left out by -B: it gives no line, as an object of another type gives none.
#include "scanner/report/sc_bericht.h"
#include "scanner/walk/sc_scan.h"

void SC_BERICHT_WEG(const SC_SCAN_Struct *stScan) {
    if (stSC_Bericht.bAn) SC_BERICHT_GERAET(stScan->stGang.uDevIdx).ulUebersprungen++;
}
