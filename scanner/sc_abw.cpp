// Handles an Error or Reject for the outstanding request: the end of a device's object list, or a property
// the object does not have.
#include "scanner/sc.h"

void SC_ABWEIS(SC_SCAN_Struct *stScan) {
    SC_OBJ_Struct *o = &stScan->stObj;
    switch (stScan->PROP_Modus) {
    case 0: // past the end of the object list, or no list at all: next device
        stScan->iObjIdx = -1;
        stScan->PROP_Modus = -1;
        stScan->uDevIdx++;
        break;
    case 2:
        std::snprintf(o->cText, sizeof o->cText, "%s", o->cDpId);
        break;
    case 3:
        if (o->uDP_Type >= 3) {
            o->uAtb = 0;
            stScan->PROP_Modus = SC_FERTIG;
        } else {
            o->uPolar = 0;
        }
        break;
    case 4:
        stScan->PROP_Modus = SC_FERTIG;
        break;
    default: // step 1: the default id stays
        break;
    }
}
