// One scan state's step of a pass, after the receive step has taken what was waiting: the repetition the
// timer calls for, then the walk's next request. The same for both scan loops; each acts on the outcome.
#include "scanner/walk/sc_scan.h"

int SC_AUSTAUSCH(SC_SCAN_Struct *stScan, bool bNeu) {
    const int iFaellig = SC_FAELLIG(&stScan->stAnf);
    if (iFaellig == SC_F_ENDE) return SC_AUFGEGEBEN;
    bool bGesendet = iFaellig == SC_F_WDH && SC_WIEDERHOL(stScan);
    if (bNeu) bGesendet = SC_ANFRAGE(stScan) || bGesendet;
    return bGesendet ? SC_GESENDET : 0;
}
