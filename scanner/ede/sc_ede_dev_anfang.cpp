// A device is started: its EDE record begins afresh, so a device is never listed twice.
#include "scanner/ede/sc_ede_intern.h"

void SC_EDE_DEV_ANFANG(const SC_EREIGNIS_Struct *e) {
    SC_EDE_GERAET_Struct &d = SC_EDE_GERAET(e->uDev);
    d = SC_EDE_GERAET_Struct{};
    d.bGestartet = true;
    d.ulDev = e->ulDev;
}
