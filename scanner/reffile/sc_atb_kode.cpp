// Attribute code of a finished object: units table for analog points, the state-text match for the others,
// and a code given in the description above both.
#include "scanner/reffile/sc_ref.h"

unsigned SC_ATB_KODE(SC_OBJ_Struct *stObj, unsigned *uPolar) {
    unsigned uAtb = stObj->uAtb;
    *uPolar = 0;
    if (stObj->uDP_Type == 1 || stObj->uDP_Type == 2) {
        *uPolar = stObj->uPolar;
        uAtb = stObj->NoState > 2 ? static_cast<unsigned>(stObj->NoState - 1) : 45;
        int iKode = SC_STATE_MATCH(stObj, uPolar);
        if (iKode >= 0) uAtb = static_cast<unsigned>(iKode);
    }
    if (stObj->ucAtbOvr != SC_KEIN_OVR) uAtb = stObj->ucAtbOvr;
    return uAtb;
}
