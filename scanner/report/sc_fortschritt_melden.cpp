// The progress line's observer: it takes the place of every status line of the scan.
#include "scanner/report/sc_bericht_intern.h"

int SC_FORTSCHRITT_MELDEN(const SC_EREIGNIS_Struct *e) {
    if (e->iArt == SC_EV_STATUS) SC_FORTSCHRITT_ZEILE(e->ulDev, e->cId != nullptr ? e->cId : "");
    return 0;
}
