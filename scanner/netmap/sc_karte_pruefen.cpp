// Before anything is sent: a picture that could not be written at the end would be noticed only after the
// scan, so the -G name is tried now.
#include <cstdio>
#include "runtime/ut/ut.h"
#include "scanner/netmap/sc_karte_daten.h"

int SC_KARTE_PRUEFEN(int, char **) {
    if (!SC_KARTE_AN()) return 0;
    if (stSC_Karte.sDot.empty() || UT_DATEI_PROBE(stSC_Karte.sDot.c_str())) return 1;
    std::printf("\n\n***  OPEN-Fehler auf Netzkarte %s ***", stSC_Karte.sDot.c_str());
    return -18;
}
