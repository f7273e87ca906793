// Whether an observer (the progress line) writes the scan's status line in place of the console's.
#include "scanner/event/sc_beobachter.h"

bool SC_STATUSZEILE_ERSETZT() {
    for (int i = 0; i < iSC_Beobachter; i++)
        if (apSC_Beobachter[i]->bStatuszeile) return true;
    return false;
}
