// A data line of the device: its number, counted from the device's first line while the device is held.
#include "scanner/report/sc_bericht.h"
#include "scanner/walk/sc_scan.h"

void SC_BERICHT_ZEILE(const SC_SCAN_Struct *stScan, unsigned uZeile) {
    if (!stSC_Bericht.bAn) return;
    SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(stScan->stGang.uDevIdx);
    const bool bRel = stScan->pHalten != nullptr;
    if (d.lErste < 0) d.lErste = uZeile, d.bErsteRel = bRel;
    d.lLetzte = uZeile, d.bLetzteRel = bRel;
    d.ulPunkte++;
}
