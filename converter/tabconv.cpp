// Entry of TABCONV: banner, the three phases, the verdict, and the exit status that names the failing phase.
#include <cstdlib>
#include "converter/tk.h"
#include "runtime/ut/ut.h"

int main(int argc, char **argv) {
    // Asking for the usage or the version ends the program before anything is opened or started.
    if (int iHilfe = TK_HILFE(argc, argv, NT_VERSION); iHilfe >= 0) std::exit(iHilfe);
    TEST_T_fpout = stderr;

    std::printf("\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n");
    std::printf("%s   ZDB-Referenz-Datei wird erstellt f\x81r GA-Knoten Version %s", UT_T_TIME(),
                cTK_Version);
    std::printf("\n      mit folgenden Aufrufparametern :\n");
    for (int i = 1; i < argc; i++)
        std::printf(i == 1 ? "\n        CSV-Datei .... : %s" : "\n        Opt. Parameter : %s", argv[i]);

    int ier = TK_INIT(argc, argv);
    if (ier < 0) ier -= 100;
    if (UT_TRC_OUT()) UT_TRC("\n\n", "TABCONV", "Nach TK_INIT   ier : %d", ier);
    if (UT_TRC_IN()) UT_TRC("\n\n", "TABCONV", "Vor  TK_DP_LOOP");

    if (ier == 0) {
        int r = TK_DP_LOOP();
        if (r < 0) ier = r - 200;
        if (UT_TRC_OUT()) UT_TRC("\n", "TABCONV", "Nach TK_DP_LOOP   ier : %d", ier);
    }

    if (ier != 0) {
        char cText[128];
        std::snprintf(cText, sizeof cText, "(%s)        ***  ABBRUCH nach Bearbeitungsfehler : %d  ***",
                      UT_T_TIME(), ier);
        std::printf("\n\n%s", cText);
        std::fflush(stdout);
        if (TEST_T_fpout != stderr && TEST_T_fpout != stdout) std::fprintf(TEST_T_fpout, "\n\n%s", cText);
        std::fprintf(stderr, "\n\n%s", cText);
    } else {
        std::printf("\n\n%s   ZDB-Referenz-Datei TABCONV.REF wurde erzeugt", UT_T_TIME());
        // Printed as asked for, whether or not a driver id allows the hand-over.
        std::printf(iTK_L_Modus == 1 ? "\n                      und an CTRLOAD weitergeleitet." : ".");
        std::fflush(stdout);
    }

    if (UT_TRC_IN()) UT_TRC("\n\n", "TABCONV", "Vor  TK_EXIT");
    int iier = TK_EXIT();
    if (UT_TRC_OUT()) UT_TRC("\n", "TABCONV", "Nach TK_EXIT   iier : %d", iier);

    std::printf("\n\n");
    UT_T_CLOSE();
    std::exit(ier == 0 ? 0 : -ier / 100);
}
