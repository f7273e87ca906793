// The map of a run starts empty, its options off.
#include "scanner/netmap/sc_karte_daten.h"

SC_KARTE_Struct stSC_Karte;

void SC_KARTE_NEU() {
    stSC_Karte = SC_KARTE_Struct{};
}
