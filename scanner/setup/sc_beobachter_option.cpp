// An option of an observer (-J, -V, -X): true when one took it.
#include "scanner/setup/sc_setup.h"

bool SC_BEOBACHTER_OPTION(const char *cArg) {
    for (const SC_BEOBACHTER_Struct &b : astSC_Beobachter)
        if (b.pfOption != nullptr && b.pfOption(cArg)) return true;
    return false;
}
