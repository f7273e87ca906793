// The end of a scan with -X: both EDE files, each written to a temporary name and renamed, so that no half
// file is left behind.
#include <cstdio>
#include "runtime/ut/ut.h"
#include "scanner/ede/sc_ede_intern.h"

int SC_EDE_ENDE() {
    int iErg = 0;
    std::string asText[2];
    SC_EDE_TEXTE(&asText[0], &asText[1]);
    for (const bool b : {false, true}) {
        if (UT_DATEI_ERSETZEN(SC_EDE_NAME(b).c_str(), asText[b].data(), asText[b].size())) continue;
        std::printf("\n\n***  WRITE-Fehler auf EDE-Datei %s  ***", SC_EDE_NAME(b).c_str());
        if (iErg == 0) iErg = -24;
    }
    std::fflush(stdout);
    return iErg;
}
