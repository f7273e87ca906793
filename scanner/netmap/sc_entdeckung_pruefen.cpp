// The discovery of -N is an observer of its own: it alone sends the Who-Is in the set-up's place.
#include "scanner/netmap/sc_karte.h"

int SC_ENTDECKUNG_PRUEFEN(int, char **) {
    return SC_KARTE_ENTDECKEN() ? 1 : 0;
}
