// An object-list element answered: element 0 is the list's length, the others are data points or objects the
// file leaves out.
#include "scanner/report/sc_bericht_intern.h"

void SC_BERICHT_ELEMENT(const SC_EREIGNIS_Struct *e) {
    SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(e->uDev);
    if (e->iIndex == 0) {
        d.lListeLen = e->lZahl;
        return;
    }
    d.ulElemente++;
    if (!e->bPunkt) d.ulUebersprungen++;
}
