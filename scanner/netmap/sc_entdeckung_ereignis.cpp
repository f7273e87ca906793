// The discovery runs when the set-up's Who-Is is due. Datagrams it does not take go through the exchange's
// receive as in the scan: I-Ams are learnt, requests to the scanner answered.
#include "scanner/exchange/sc_austausch.h"
#include "scanner/netmap/sc_karte.h"

int SC_ENTDECKUNG_EREIGNIS(const SC_EREIGNIS_Struct *e) {
    if (e->iArt == SC_EV_WHOIS)
        SC_KARTE_ENTDECKUNG(
            [](const IP_PORT *stVon, int iLen) { SC_DATAGRAMM_ZUORDNEN(nullptr, 0, iLen, stVon); });
    return 0;
}
