// Whether an observer (the EDE files) wants every text: the walk's request table then holds its rows.
#include "scanner/event/sc_beobachter.h"

bool SC_GANZ_GEFRAGT() {
    for (int i = 0; i < iSC_Beobachter; i++)
        if (apSC_Beobachter[i]->bGanz) return true;
    return false;
}
