// Before anything is sent: each observer whose option was given checks that its files can be written, and is
// registered; the first that cannot stops the set-up with its error. The request table then holds the rows
// that a registered observer wants.
#include "scanner/setup/sc_setup.h"
#include "scanner/walk/sc_scan.h"

int SC_BEOBACHTER_ANMELDEN(int argc, char **argv) {
    for (const SC_BEOBACHTER_Struct &b : astSC_Beobachter) {
        const int r = b.pfPruefen(argc, argv);
        if (r < 0) return r;
        if (r > 0) SC_ANMELDEN(&b);
    }
    SC_FRAGEN_GANZ(SC_GANZ_GEFRAGT());
    return 0;
}
