// The EDE files' observer: each event of the scan to the record it changes.
#include "scanner/ede/sc_ede_intern.h"

int SC_EDE_MELDEN(const SC_EREIGNIS_Struct *e) {
    switch (e->iArt) {
    case SC_EV_DEV_ANFANG:
        SC_EDE_DEV_ANFANG(e);
        break;
    case SC_EV_WERT:
        SC_EDE_WERT(e);
        break;
    case SC_EV_PUNKT:
        SC_EDE_PUNKT(e);
        break;
    case SC_EV_SCAN_ENDE:
        return SC_EDE_ENDE();
    default:
        break;
    }
    return 0;
}
