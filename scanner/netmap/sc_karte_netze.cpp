// The networks the discovery sends a Who-Is into, and the router for each: the first that claims it, else the
// first its devices answered through.
#include "scanner/netmap/sc_karte_daten.h"

int SC_KARTE_NETZE(std::uint16_t *ausNetz, IP_PORT *astRouter, int iMax) {
    const std::vector<SC_KNETZ_Struct> v = SC_KARTE_NETZLISTE();
    int n = 0;
    for (const SC_KNETZ_Struct &k : v) {
        const std::vector<IP_PORT> &vWeg = !k.vRouter.empty() ? k.vRouter : k.vUeber;
        if (vWeg.empty() || n == iMax) continue;
        ausNetz[n] = k.usNetz;
        astRouter[n] = vWeg.front();
        n++;
    }
    return n;
}
