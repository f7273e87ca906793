// The end of a scan with the map: its console lines before the verdict, and the -G file, written whole or not
// at all, so that no half picture is left behind.
#include <cstdio>
#include "runtime/ut/ut.h"
#include "scanner/netmap/sc_karte_daten.h"

int SC_KARTE_ENDE() {
    std::fputs(SC_KARTE_KONSOLE().c_str(), stdout);
    std::fflush(stdout);
    const std::string &sDatei = stSC_Karte.sDot;
    if (sDatei.empty()) return 0;
    const std::string sText = SC_KARTE_DOT();
    if (UT_DATEI_ERSETZEN(sDatei.c_str(), sText.data(), sText.size())) return 0;
    std::printf("\n\n***  WRITE-Fehler auf Netzkarte %s  ***", sDatei.c_str());
    std::fflush(stdout);
    return -25;
}
