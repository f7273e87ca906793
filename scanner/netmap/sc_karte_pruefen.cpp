// Before anything is sent: a picture that could not be written at the end would be noticed only after the
// scan, so the -G name is tried now (a file of that name and ".tmp" is made and removed).
#include <cstdio>
#include "scanner/netmap/sc_karte_daten.h"

int SC_KARTE_PRUEFEN(int, char **) {
    if (!SC_KARTE_AN()) return 0;
    if (stSC_Karte.sDot.empty()) return 1;
    const std::string sTmp = stSC_Karte.sDot + ".tmp";
    std::FILE *fp = std::fopen(sTmp.c_str(), "w");
    if (fp == nullptr) {
        std::printf("\n\n***  OPEN-Fehler auf Netzkarte %s ***", stSC_Karte.sDot.c_str());
        return -18;
    }
    std::fclose(fp);
    std::remove(sTmp.c_str());
    return 1;
}
