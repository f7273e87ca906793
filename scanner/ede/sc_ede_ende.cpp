// The end of a scan with -X: both EDE files, each written to a temporary name and renamed, so that no half
// file is left behind.
#include <cstdio>
#include "scanner/ede/sc_ede_intern.h"

// One file whole under its name: false when it could not be written.
static bool SCHREIBEN(const std::string &sName, const std::string &sText) {
    const std::string sTmp = sName + ".tmp";
    std::FILE *fp = std::fopen(sTmp.c_str(), "wb");
    bool bGut = fp != nullptr && std::fwrite(sText.data(), 1, sText.size(), fp) == sText.size();
    bGut = fp != nullptr && std::fclose(fp) == 0 && bGut;
    bGut = bGut && std::rename(sTmp.c_str(), sName.c_str()) == 0;
    if (!bGut) std::remove(sTmp.c_str());
    return bGut;
}

int SC_EDE_ENDE() {
    int iErg = 0;
    std::string asText[2];
    SC_EDE_TEXTE(&asText[0], &asText[1]);
    for (const bool b : {false, true}) {
        if (SCHREIBEN(SC_EDE_NAME(b), asText[b])) continue;
        std::printf("\n\n***  WRITE-Fehler auf EDE-Datei %s  ***", SC_EDE_NAME(b).c_str());
        if (iErg == 0) iErg = -24;
    }
    std::fflush(stdout);
    return iErg;
}
