// A step not asked because the object's type lacks its property takes the answer such an object gives, the
// Error unknown-property: the line is the one a scan that asked would write.
#include "scanner/walk/sc_scan.h"

void SC_FRAGE_FEHLT_ANTWORT(SC_SCAN_Struct *stScan) {
    const SC_WERT_Struct stWert = SC_WERT_VORRAT(SC_FEHLER_UNBEKANNT, 0);
    SC_SCHRITT_ANTWORT(stScan, SC_FEHLER_UNBEKANNT, &stWert);
}
