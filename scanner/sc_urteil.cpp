// The verdicts of a scan: an error, or success, or one time-out verdict per device whose answer did not come,
// named by its BACnet address and the property asked for.
#include "scanner/sc.h"

void SC_URTEIL(int iErg, const std::vector<std::string> &vTimeout) {
    SC_DOPPELT_MELDEN();
    if (iErg != 0)
        std::printf("\n\n***  Abbruch nach Fehler %d ***\n\n\a", iErg);
    else if (vTimeout.empty())
        std::printf("\n\n***  ZDB-Referenzdatei NETSCN.REF erfolgreich erzeugt ***\n\n\a");
    else
        for (const std::string &s : vTimeout)
            std::printf("\n\n***  Abbruch nach Timeout f\x81r BN-Adr.: %s ***\n\n\a", s.c_str());
    std::fflush(stdout);
}
