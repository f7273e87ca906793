// Handles an Error or Reject for the outstanding request: the end of a device's object list, or a property
// the object does not have.
#include "scanner/walk/sc_scan.h"

void SC_ABWEIS(SC_SCAN_Struct *stScan) {
    SC_GANG_Struct *g = &stScan->stGang;
    SC_OBJ_Struct *o = &g->stObj;
    switch (g->PROP_Modus) {
    case 0: // past the end of the object list, or no list at all: next device
        SC_DEV_ENDE(stScan);
        break;
    case 2:
        std::snprintf(o->cText, sizeof o->cText, "%s", o->cDpId);
        break;
    case 3:
        if (o->uDP_Type >= 3) {
            o->uAtb = 0;
            g->PROP_Modus = SC_FERTIG;
        } else {
            o->uPolar = 0;
        }
        break;
    case 4:
        g->PROP_Modus = SC_FERTIG;
        break;
    default: // step 1: the default id stays
        break;
    }
}
