// The verdicts of a scan: an error, or success, or one time-out verdict per device whose answer did not come,
// named by its BACnet address and the property asked for. Before them the observers end: they write their
// files, and the first that fails makes the scan's result.
#include <cstdio>
#include "scanner/event/sc_ereignis.h"
#include "scanner/loop/sc_ablauf.h"

int SC_URTEIL(int iErg, const char *const *acTimeout, int iAnz) {
    SC_DOPPELT_MELDEN();
    SC_EREIGNIS_Struct e{};
    e.iArt = SC_EV_SCAN_ENDE;
    e.iErg = iErg;
    e.iTimeout = iAnz;
    if (const int r = SC_MELDEN(&e); iErg == 0) iErg = r;
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
