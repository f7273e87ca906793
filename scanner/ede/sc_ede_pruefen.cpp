// Before anything is sent: EDE files that could not be written at the end would cost the engineer the scan,
// so both names are checked now (a prefix given, no directory, no file of the scanner's own) and tried (each
// with ".tmp", made and removed).
#include <cstdio>
#include "runtime/ut/ut.h"
#include "scanner/ede/sc_ede_intern.h"
#include "scanner/reffile/sc_ref.h"

int SC_EDE_PRUEFEN(int argc, char **argv) {
    if (!stSC_Ede.bAn) return 0;
    for (const bool b : {false, true}) {
        const std::string sName = stSC_Ede.sPrefix.empty() ? "" : SC_EDE_NAME(b);
        if (!SC_AUSGABE_PRUEFEN("EDE-Datei", 'X', sName, argc, argv)) return -14;
        if (UT_DATEI_PROBE(SC_EDE_NAME(b).c_str())) continue;
        std::printf("\n\n***  OPEN-Fehler auf EDE-Datei %s ***", SC_EDE_NAME(b).c_str());
        return -14;
    }
    return 1;
}
