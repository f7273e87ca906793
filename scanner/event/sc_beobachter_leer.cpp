// The table of observers, emptied before the options are read: a plain scan has none.
#include "scanner/event/sc_beobachter.h"

const SC_BEOBACHTER_Struct *apSC_Beobachter[SC_BEOBACHTER_MAX];
int iSC_Beobachter = 0;

void SC_BEOBACHTER_LEER() {
    iSC_Beobachter = 0;
}
