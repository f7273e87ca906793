// A finished object's data line: written at once, or, for a device scanned ahead of an earlier one that is
// still in progress, held by the parallel scan with its number counted from the device's first line. The data
// point is told now; its line is told when it is written, with its number in the file (for a held line, when
// the device's turn comes).
#include "scanner/walk/sc_scan.h"

int SC_ZEILE_AUSGEBEN(SC_SCAN_Struct *stScan) {
    SC_GANG_Struct &g = stScan->stGang;
    SC_EREIGNIS_Struct e = SC_GANG_EREIGNIS(SC_EV_PUNKT, &g);
    SC_MELDEN(&e);
    if (stScan->pHalten == nullptr) {
        e.iArt = SC_EV_ZEILE;
        e.lZeile = g.uZeile;
        SC_MELDEN(&e);
        return SC_REF_LINE(&g.stObj, &g.uZeile);
    }
    const int n = SC_REF_TEXT(&g.stObj, 0);
    if (n < 0) return SC_REF_WRITE(n); // a line too long for the buffer fails as its write would
    SC_ZEILE_HALTEN(stScan->pHalten, g.uZeile++, n);
    return 0;
}
