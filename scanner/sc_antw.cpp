// Acts on the message check's verdict about the answer to the state's outstanding request: an
// acknowledgement or refusal moves the object on, and a completed object becomes its data line.
#include "scanner/sc.h"

void SC_ANTWORT(SC_SCAN_Struct *stScan, int iErg) {
    // Only an answer while a request is outstanding counts: a late duplicate must not move the object on.
    if (stScan->iWarten == SC_WARTET) {
        if (iErg == 3) {
            stScan->iWarten = SC_ERLEDIGT;
            SC_ACK(stScan);
        } else if (iErg <= -1000 && stScan->PROP_Modus >= 0 && stScan->PROP_Modus <= 4) {
            stScan->iWarten = SC_ERLEDIGT;
            SC_ABWEIS(stScan);
        }
    }
    if (stScan->PROP_Modus == SC_FERTIG && stScan->iWarten == SC_ERLEDIGT) {
        if (SC_ZEILE(stScan) != 0) stScan->iErg = -21;
        stScan->PROP_Modus = -1;
    }
    if (stScan->iWarten == SC_ERLEDIGT) stScan->iWarten = SC_BEREIT;
}
