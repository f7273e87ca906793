// Registers an observer: from now on it is told every event, after those registered before it.
#include "scanner/event/sc_beobachter.h"

bool SC_ANMELDEN(const SC_BEOBACHTER_Struct *stB) {
    if (iSC_Beobachter >= SC_BEOBACHTER_MAX) return false;
    apSC_Beobachter[iSC_Beobachter++] = stB;
    return true;
}
