// A device is started: its record begins, and the first device's start is the estimate's.
#include "scanner/report/sc_bericht_intern.h"

void SC_BERICHT_DEV_ANFANG(const SC_EREIGNIS_Struct *e) {
    SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(e->uDev);
    d = SC_GERAETBERICHT_Struct{};
    d.bGestartet = true;
    if (stSC_Bericht.ulBeginnMs == 0) stSC_Bericht.ulBeginnMs = e->ulMs | 1;
}
