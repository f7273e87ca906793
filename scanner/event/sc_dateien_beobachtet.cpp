// Whether an observer (the report, the EDE files, the map's picture) writes files at the scan's end: an
// interrupt then has them written before the process ends.
#include "scanner/event/sc_beobachter.h"

bool SC_DATEIEN_BEOBACHTET() {
    for (int i = 0; i < iSC_Beobachter; i++)
        if (apSC_Beobachter[i]->bDateien) return true;
    return false;
}
