// Verdicts of the parallel scan: an error, or success, or one time-out verdict per given-up device in table
// order (the scan itself went on, so the file holds everything the other devices gave).
#include "scanner/sc.h"

void SC_P_ENDE() {
    SC_DOPPELT_MELDEN();
    if (stSC_Par.iErg != 0)
        std::printf("\n\n***  Abbruch nach Fehler %d ***\n\n\a", stSC_Par.iErg);
    else if (stSC_Par.vAufgegeben.empty())
        std::printf("\n\n***  ZDB-Referenzdatei NETSCN.REF erfolgreich erzeugt ***\n\n\a");
    for (const std::string &s : stSC_Par.vAufgegeben)
        if (stSC_Par.iErg == 0)
            std::printf("\n\n***  Abbruch nach Timeout f\x81r BN-Adr.: %s ***\n\n\a", s.c_str());
    std::fflush(stdout);
}
