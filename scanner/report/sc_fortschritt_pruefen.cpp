// -V: the progress line is on, and writes the scan's status line in the console's place.
#include "scanner/report/sc_bericht_intern.h"

int SC_FORTSCHRITT_PRUEFEN(int, char **) {
    return stSC_Bericht.bFortschritt ? 1 : 0;
}
