// Whether an observer (the discovery of -N) sends its own Who-Is: the set-up then tells it when it is due.
#include "scanner/event/sc_beobachter.h"

bool SC_WHOIS_ERSETZT() {
    for (int i = 0; i < iSC_Beobachter; i++)
        if (apSC_Beobachter[i]->bWhoIs) return true;
    return false;
}
