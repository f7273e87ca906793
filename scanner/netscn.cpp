// Entry of the scanner program NETSCN: set-up, scan and end phase, the banner with the options, the verdict,
// and the exit status of the first failing phase (0 success, 1 set-up, 2 scan, 3 end phase).
#include <cstdlib>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

// The failure verdict goes to the console, to a trace file and to standard error.
static void NETSCN_ABBRUCH(int iKode) {
    char cZeile[96];
    std::snprintf(cZeile, sizeof cZeile, "(%s)        ***  ABBRUCH nach Bearbeitungsfehler : %d  ***",
                  UT_T_TIME(), iKode);
    std::printf("\n\n%s", cZeile);
    std::fflush(stdout);
    if (TEST_T_fpout != nullptr && TEST_T_fpout != stderr && TEST_T_fpout != stdout) {
        std::fprintf(TEST_T_fpout, "\n\n%s", cZeile);
        std::fflush(TEST_T_fpout);
    }
    std::fprintf(stderr, "\n\n%s", cZeile);
}

int main(int argc, char **argv) {
    // Asking for the usage or the version ends the program before anything is opened or sent.
    if (int iHilfe = SC_HILFE(argc, argv, NT_VERSION); iHilfe >= 0) std::exit(iHilfe);
    TEST_T_fpout = stderr;

    int iKode = SC_KODE(0, SC_INIT(argc, argv), 1);
    if (UT_TRC_OUT()) UT_TRC("\n\n", "NETSCN", "Nach SC_INIT   ier : %d", iKode);

    for (int i = 0; i < 25; i++)
        std::printf("\n");
    std::printf("%s   ZDB-Referenz-Datei wird erstellt f\x81r BACnet auf IP-Port %d", UT_T_TIME(),
                iQX04_IP_Port);
    std::printf("\n      mit folgenden Aufrufparametern :\n");
    for (int i = 1; i < argc && argv[i] != nullptr; i++)
        if (argv[i][0] == '-' || argv[i][0] == '/') std::printf("\n        Opt. Parameter : %s", argv[i]);
    std::fflush(stdout);

    if (UT_TRC_IN()) UT_TRC("\n\n", "NETSCN", "Vor  SC_LOOP");
    if (iKode == 0) {
        iKode = SC_KODE(iKode, SC_LOOP(), 2);
        if (UT_TRC_OUT()) UT_TRC("\n", "NETSCN", "Nach SC_LOOP   ier : %d", iKode);
    }

    if (iKode == 0)
        std::printf("\n\n%s   ZDB-Referenz-Datei NETSCN.REF wurde erzeugt.", UT_T_TIME());
    else
        NETSCN_ABBRUCH(iKode);

    if (UT_TRC_IN()) UT_TRC("\n\n", "NETSCN", "Vor  SC_EXIT");
    int iier = SC_EXIT();
    iKode = SC_KODE(iKode, iier, 3);
    if (UT_TRC_OUT()) UT_TRC("\n", "NETSCN", "Nach SC_EXIT   iier : %d", iier);

    std::printf("\n\n");
    // The trace file is closed here, so its last lines are on disk however the process ends.
    UT_T_CLOSE();
    std::exit(iKode == 0 ? 0 : -iKode / 100);
}
