// The end of a scan with the map: its console lines before the verdict, and the -G file, written to a
// temporary name and renamed, so that no half picture is left behind.
#include <cstdio>
#include "scanner/netmap/sc_karte_daten.h"

int SC_KARTE_ENDE() {
    std::fputs(SC_KARTE_KONSOLE().c_str(), stdout);
    std::fflush(stdout);
    const std::string &sDatei = stSC_Karte.sDot;
    if (sDatei.empty()) return 0;
    const std::string sText = SC_KARTE_DOT(), sTmp = sDatei + ".tmp";
    std::FILE *fp = std::fopen(sTmp.c_str(), "w");
    bool bGut = fp != nullptr && std::fwrite(sText.data(), 1, sText.size(), fp) == sText.size();
    bGut = fp != nullptr && std::fclose(fp) == 0 && bGut;
    bGut = bGut && std::rename(sTmp.c_str(), sDatei.c_str()) == 0;
    if (bGut) return 0;
    std::remove(sTmp.c_str());
    std::printf("\n\n***  WRITE-Fehler auf Netzkarte %s  ***", sDatei.c_str());
    std::fflush(stdout);
    return -25;
}
