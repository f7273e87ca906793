// The answer to the step in progress: an acknowledgement or refusal moves the object on, by the scan step;
// a completed object becomes its data line.
#include "scanner/ede/sc_ede.h"
#include "scanner/report/sc_bericht.h"
#include "scanner/walk/sc_scan.h"

void SC_SCHRITT_ANTWORT(SC_SCAN_Struct *stScan, int iErg, const SC_WERT_Struct *stWert) {
    SC_GANG_Struct &g = stScan->stGang;
    if (SC_EDE_WERT(stScan, iErg, stWert)) return; // -X: the value kept whole; the device's name is no line
    if (iErg == 3)
        SC_ACK(stScan, stWert);
    else if (iErg <= -1000 && g.PROP_Modus >= 0 && g.PROP_Modus <= 4)
        SC_BERICHT_ABWEIS(stScan, iErg, stWert), SC_ABWEIS(stScan);
    if (g.PROP_Modus == SC_FERTIG) {
        if (SC_ZEILE_AUSGEBEN(stScan) != 0) g.iErg = -21;
        g.PROP_Modus = -1;
    }
}
