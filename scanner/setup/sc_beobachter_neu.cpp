// Before the options are read: no observer registered, each at its start values, and the request table
// without the rows for observers.
#include "scanner/setup/sc_setup.h"
#include "scanner/walk/sc_scan.h"

void SC_BEOBACHTER_NEU() {
    SC_BEOBACHTER_LEER();
    for (const SC_BEOBACHTER_Struct &b : astSC_Beobachter)
        if (b.pfNeu != nullptr) b.pfNeu();
    SC_FRAGEN_GANZ(false);
}
