// Before anything is sent: EDE files that could not be written at the end would cost the engineer the scan,
// so both names are tried now (each with ".tmp", made and removed).
#include <cstdio>
#include "runtime/ut/ut.h"
#include "scanner/ede/sc_ede_intern.h"

int SC_EDE_PRUEFEN(int, char **) {
    if (!stSC_Ede.bAn) return 0;
    for (const bool b : {false, true}) {
        if (UT_DATEI_PROBE(SC_EDE_NAME(b).c_str())) continue;
        std::printf("\n\n***  OPEN-Fehler auf EDE-Datei %s ***", SC_EDE_NAME(b).c_str());
        return -14;
    }
    return 1;
}
