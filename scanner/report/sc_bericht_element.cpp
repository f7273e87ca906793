// An object-list element answered: element 0 is the list's length, the others are data points or objects the
// file leaves out.
#include "scanner/report/sc_bericht.h"
#include "scanner/walk/sc_scan.h"

void SC_BERICHT_ELEMENT(const SC_SCAN_Struct *stScan, bool bPunkt, long lLaenge) {
    if (!stSC_Bericht.bAn) return;
    SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(stScan->stGang.uDevIdx);
    if (stScan->stGang.iObjIdx == 0) {
        d.lListeLen = lLaenge;
        return;
    }
    d.ulElemente++;
    if (!bPunkt) d.ulUebersprungen++;
}
