// The map as an observer of the scan: how far each device was read, and at the scan's end the devices of the
// route table, the console lines and the picture.
#include "scanner/netmap/sc_karte_daten.h"

int SC_KARTE_EREIGNIS(const SC_EREIGNIS_Struct *e) {
    if (e->iArt == SC_EV_DEV_ENDE) {
        SC_FAKT_Struct f;
        f.iArt = SC_FAKT_GESCANNT, f.ulInst = e->ulDev, f.iWert = e->stEnde.iAusgang == SC_AUS_KOMPLETT;
        SC_KARTE_MELDEN(&f);
    }
    if (e->iArt != SC_EV_SCAN_ENDE) return 0;
    SC_KARTE_ROUTEN();
    return SC_KARTE_ENDE();
}
