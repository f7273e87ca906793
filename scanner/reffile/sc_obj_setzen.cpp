// Takes an object-list element into the object record: identifier, data-point type, BACnet address text of
// its present value and the default data-point id, which the object name replaces later.
#include "bacnet/bn.h"
#include "scanner/reffile/sc_ref.h"

int SC_OBJ_SETZEN(SC_OBJ_Struct *stObj, std::uint32_t ulObjId) {
    const char *cKurz = nullptr;
    unsigned uTyp = SC_OBJTYP(QX04_BN_OBJTYPE(ulObjId), &cKurz);
    if (uTyp == 0) return -1;
    unsigned long ulInst = QX04_BN_OBJINSTANCE(ulObjId);
    stObj->ulObjId = ulObjId;
    stObj->uDP_Type = uTyp;
    std::snprintf(stObj->cBnAdr, sizeof stObj->cBnAdr, "%07lu.%s#%07lu'00085", (unsigned long)stObj->ulDev,
                  cKurz, ulInst);
    std::snprintf(stObj->cDpId, sizeof stObj->cDpId, "%lu.%s%lu", (unsigned long)stObj->ulDev, cKurz, ulInst);
    return 0;
}
