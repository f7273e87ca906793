// Hands an event to the observers registered at set-up, in their order: one that writes a file at the end
// returns its error, and the first error is the scan's. Without observers an event costs a loop of none.
#include "runtime/ut/ut.h"
#include "scanner/event/sc_beobachter.h"

int SC_MELDEN(const SC_EREIGNIS_Struct *stE) {
    if (iSC_Beobachter == 0) return 0;
    SC_EREIGNIS_Struct e = *stE;
    if (e.ulMs == 0) e.ulMs = UT_MSEK();
    int iErg = 0;
    for (int i = 0; i < iSC_Beobachter; i++)
        if (const int r = apSC_Beobachter[i]->pfMelden(&e); r != 0 && iErg == 0) iErg = r;
    return iErg;
}
