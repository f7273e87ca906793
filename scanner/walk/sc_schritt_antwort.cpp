// The answer to the step in progress: told to the observers as it came, then an acknowledgement or refusal
// moves the object on, by the scan step; a completed object becomes its data line. A step asked for the
// observers only (the device object's name for the EDE files) moves nothing: the object is done without one.
#include "scanner/walk/sc_scan.h"

void SC_SCHRITT_ANTWORT(SC_SCAN_Struct *stScan, int iErg, const SC_WERT_Struct *stWert) {
    SC_GANG_Struct &g = stScan->stGang;
    SC_WERT_MELDEN(stScan, iErg, stWert);
    if (g.pFrage != nullptr && g.pFrage->bNurMelden) {
        if (SC_FRAGE_ZEILE(&g) == nullptr) g.PROP_Modus = -1;
        return;
    }
    if (iErg == QX04_MSG_ACK)
        SC_ACK(stScan, stWert);
    else if (SC_ABGELEHNT(iErg) && g.PROP_Modus >= 0 && g.PROP_Modus <= 4)
        SC_ABWEIS(stScan);
    if (g.PROP_Modus == SC_FERTIG) {
        if (SC_ZEILE_AUSGEBEN(stScan) != 0) g.iErg = -21;
        g.PROP_Modus = -1;
    }
}
