// Whether anyone observes the scan: a plain scan has no observer, and decodes nothing for events.
#include "scanner/event/sc_beobachter.h"

bool SC_BEOBACHTET() {
    return iSC_Beobachter > 0;
}
