// How many frames a router network takes at once, before the scan has learnt anything of it: the I-Ams of a
// range asked there are judged against it.
#include "scanner/netmap/sc_karte_daten.h"

int SC_KARTE_BUDGET(const IP_PORT &, std::uint16_t) {
    return 1;
}
