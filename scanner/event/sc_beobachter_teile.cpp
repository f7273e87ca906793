// What observers add to the scan report (the site's map of -N and -G): the report asks when it writes, so
// that each part is as complete as the scan.
#include "scanner/event/sc_beobachter.h"

int SC_BEOBACHTER_TEILE(const char **acTeil) {
    int n = 0;
    for (int i = 0; i < iSC_Beobachter; i++)
        if (apSC_Beobachter[i]->pfBericht != nullptr)
            if (const char *c = apSC_Beobachter[i]->pfBericht(); c != nullptr) acTeil[n++] = c;
    return n;
}
