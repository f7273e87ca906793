// An endpoint as the map writes it everywhere: "a.b.c.d#port".
#include "scanner/netmap/sc_karte_daten.h"

std::string SC_KARTE_ADR(const IP_PORT &st) {
    const char *c = IP_PORT2A(&st);
    return c != nullptr ? c : "?";
}
