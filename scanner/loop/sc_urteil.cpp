// The verdicts of a scan: an error, or success, or one time-out verdict per device whose answer did not come,
// named by its BACnet address and the property asked for.
#include <cstdio>
#include "scanner/loop/sc_ablauf.h"
#include "scanner/ede/sc_ede.h"
#include "scanner/report/sc_bericht.h"

int SC_URTEIL(int iErg, const char *const *acTimeout, int iAnz) {
    SC_DOPPELT_MELDEN();
    iErg = SC_BERICHT_ENDE(iErg, iAnz); // -J: its console lines and the report
    iErg = SC_EDE_ENDE(iErg);           // -X: the EDE files
    if (iErg != 0)
        std::printf("\n\n***  Abbruch nach Fehler %d ***\n\n\a", iErg);
    else if (iAnz == 0)
        std::printf("\n\n***  ZDB-Referenzdatei NETSCN.REF erfolgreich erzeugt ***\n\n\a");
    else
        for (int i = 0; i < iAnz; i++)
            std::printf("\n\n***  Abbruch nach Timeout f\x81r BN-Adr.: %s ***\n\n\a", acTimeout[i]);
    std::fflush(stdout);
    return iErg;
}
