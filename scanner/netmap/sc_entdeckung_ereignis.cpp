// The discovery runs when the set-up's Who-Is is due.
#include "scanner/netmap/sc_karte.h"

int SC_ENTDECKUNG_EREIGNIS(const SC_EREIGNIS_Struct *e) {
    if (e->iArt == SC_EV_WHOIS) SC_KARTE_ENTDECKUNG();
    return 0;
}
