// A data line of the device written, with its number in the file: the device's first and last line, and the
// line of the refusals of that data point. Lines come in the order of the device's data points.
#include "scanner/report/sc_bericht_intern.h"

void SC_BERICHT_ZEILE(const SC_EREIGNIS_Struct *e) {
    SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(e->uDev);
    if (d.lErste < 0) d.lErste = e->lZeile;
    d.lLetzte = e->lZeile;
    for (SC_PROBLEM_Struct &p : d.vProbleme)
        if (p.lPunkt == static_cast<long>(d.ulZeilen)) p.lZeile = e->lZeile;
    d.ulZeilen++;
}
