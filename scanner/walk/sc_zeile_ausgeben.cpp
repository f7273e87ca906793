// A finished object's data line: written at once, or, for a device scanned ahead of an earlier one that is
// still in progress, held by the parallel scan with its number counted from the device's first line.
#include "scanner/ede/sc_ede.h"
#include "scanner/parallel/sc_par.h"
#include "scanner/report/sc_bericht.h"

int SC_ZEILE_AUSGEBEN(SC_SCAN_Struct *stScan) {
    SC_GANG_Struct &g = stScan->stGang;
    SC_BERICHT_ZEILE(stScan, g.uZeile);
    SC_EDE_ZEILE(stScan);
    if (stScan->pHalten == nullptr) return SC_REF_LINE(&g.stObj, &g.uZeile);
    const int n = SC_REF_TEXT(&g.stObj, 0);
    if (n < 0) return SC_REF_WRITE(n); // a line too long for the buffer fails as its write would
    SC_ZEILE_HALTEN(stScan->pHalten, g.uZeile++, n);
    return 0;
}
