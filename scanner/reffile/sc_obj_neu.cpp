// Empties the object record for the next object-list element of a device: until the element arrives the
// record stands for the device object itself.
#include <cstring>
#include "bacnet/bn.h"
#include "scanner/reffile/sc_ref.h"

void SC_OBJ_NEU(SC_OBJ_Struct *stObj, std::uint32_t ulDev) {
    std::memset(stObj, 0, sizeof *stObj);
    stObj->ulDev = ulDev;
    stObj->ulObjId = QX04_BN_OBJID(QX04_OBJ_DEVICE, ulDev);
    stObj->ucAtbOvr = SC_KEIN_OVR;
    stObj->NoState = -1;
    std::snprintf(stObj->cBnAdr, sizeof stObj->cBnAdr, "Device %lu", (unsigned long)ulDev);
}
