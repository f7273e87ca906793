// Start-up of the converter: library start, command line, CSV file and its heading line, tabconv.ref.
#include "converter/tk.h"
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

int TK_INIT(int argc, char **argv) {
    UT_INIT(argc, argv);
    UT_LOOPTIME();
    UT_LOOPTIME();

    iTK_L_Modus = 0;
    iTK_Umsetzen = 0;
    iTK_TrbId = -1;
    fpTK_CSV = nullptr;
    fpTK_REF = nullptr;
    uTK_REF_Fill = 0;
    int ier = argc < 2 ? -1 : 0;

    // Options count from the second argument on: the first is always the CSV file name.
    for (int i = 2; ier == 0 && i < argc; i++)
        TK_INIT_ARG(argv[i]);
    if (TEST_T_X) UT_T_LISTE("TK_INIT");

    SY_INIT();

    if (ier == -1) {
        std::printf("\n\n***  Fehlende Aufrufparameter  ***");
        std::printf("\n\n     Zul\x84"
                    "ssige Aufrufparameter sind :");
        std::printf("\n     - Name der CSV-Datei (ggf. mit Laufwerk, Pfad und Extension)");
        return -1;
    }

    // "e": neither file is passed on to the loader started at the end.
    fpTK_CSV = std::fopen(argv[1], "re");
    if (fpTK_CSV == nullptr) {
        std::printf("\n\n***  OPEN-Fehler auf CSV-Datei %s ***", argv[1]);
        ier = -10;
    } else if (!TK_CSV_ZEILE(true)) {
        std::printf("\n\n***  READ-Fehler auf CSV-Datei %s ***", argv[1]);
        ier = -11;
    } else {
        UT_NORM_STRING(cTK_CSV_Buf); // the heading line is not used further
        fpTK_REF = std::fopen("tabconv.ref", "w+e");
        if (fpTK_REF == nullptr) {
            std::printf("\n\n***  OPEN-Fehler auf ZDB-Referenz-Datei TABCONV.REF ***");
            ier = -12;
        } else {
            // Unbuffered: TK_REF_WRITE hands over whole lines or blocks, and each write's failure is seen
            // at once instead of at close.
            std::setvbuf(fpTK_REF, nullptr, _IONBF, 0);
        }
    }

    if (UT_TRC_OUT()) UT_TRC("\n", "TK_INIT", "Vor  RETURN    ier : %d \n", ier);
    return ier;
}
