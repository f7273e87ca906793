// An object-list element answered: the device's own object, which gives no data point, stays in progress
// with -X, so that the walk asks its name next (the request table's row of the device object).
#include "bacnet/bn.h"
#include "scanner/ede/sc_ede.h"
#include "scanner/walk/sc_scan.h"

void SC_EDE_ELEMENT(SC_SCAN_Struct *stScan, int iTag, std::uint32_t ulWert) {
    SC_GANG_Struct &g = stScan->stGang;
    if (!stSC_Ede.bAn || g.PROP_Modus != -1 || iTag != QX04_TAG_OBJID || g.iObjIdx < 1) return;
    if (!SC_EDE_OBJEKT(ulWert, g.stObj.ulDev)) return;
    g.stObj.ulObjId = ulWert;
    g.PROP_Modus = 0;
}
