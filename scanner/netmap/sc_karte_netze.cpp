// The router networks the discovery sends its Who-Is into: each network with every router that claims it
// (two that claim one number may each have a network of their own behind them), or with the first router
// its devices answered through when none claims it.
#include "scanner/netmap/sc_karte_daten.h"

int SC_KARTE_NETZE(std::uint16_t *ausNetz, IP_PORT *astRouter, int iMax) {
    int n = 0;
    for (const SC_KNETZ_Struct &k : SC_KARTE_NETZLISTE()) {
        std::vector<IP_PORT> vWeg = k.vRouter;
        if (vWeg.empty() && !k.vUeber.empty()) vWeg.push_back(k.vUeber.front());
        for (const IP_PORT &st : vWeg) {
            if (n == iMax) return n;
            ausNetz[n] = k.usNetz;
            astRouter[n++] = st;
        }
    }
    return n;
}
