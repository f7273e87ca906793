// Before anything is sent: EDE files that could not be written at the end would cost the engineer the scan,
// so both names are tried now (each with ".tmp", made and removed).
#include <cstdio>
#include "scanner/ede/sc_ede_intern.h"

int SC_EDE_PRUEFEN(int, char **) {
    if (!stSC_Ede.bAn) return 0;
    for (const bool b : {false, true}) {
        const std::string sTmp = SC_EDE_NAME(b) + ".tmp";
        std::FILE *fp = std::fopen(sTmp.c_str(), "w");
        if (fp == nullptr) {
            std::printf("\n\n***  OPEN-Fehler auf EDE-Datei %s ***", SC_EDE_NAME(b).c_str());
            return -14;
        }
        std::fclose(fp);
        std::remove(sTmp.c_str());
    }
    return 1;
}
