// Before anything is sent: a report that could not be written at the end would cost the engineer the scan,
// so its name is checked now (given, no directory, no file of the scanner's own) and tried (a file of that
// name and ".tmp" is made and removed), and the command line kept.
#include <cstdio>
#include <sys/time.h>
#include "runtime/ut/ut.h"
#include "scanner/reffile/sc_ref.h"
#include "scanner/report/sc_bericht_intern.h"

int SC_BERICHT_PRUEFEN(int argc, char **argv) {
    SC_BERICHT_Struct &b = stSC_Bericht;
    if (!b.bAn) return 0;
    b.vArgumente.clear();
    for (int i = 1; i < argc && argv[i] != nullptr; i++)
        b.vArgumente.emplace_back(argv[i]);
    struct timeval tv;
    UT_CLOCK_GET(&tv);
    b.llBeginnSek = tv.tv_sec;
    if (!b.bDatei) return 1;
    if (!SC_AUSGABE_PRUEFEN("Bericht", 'J', b.sDatei, argc, argv)) return -13;
    if (UT_DATEI_PROBE(b.sDatei.c_str())) return 1;
    std::printf("\n\n***  OPEN-Fehler auf Bericht %s ***", b.sDatei.c_str());
    return -13;
}
