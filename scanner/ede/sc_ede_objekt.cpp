// The one object besides the data points that -X asks: the device object of the device scanned, for the
// device's name. It is in the device's own object list, so the walk meets it there, with ReadProperty and
// with ReadPropertyMultiple alike.
#include "bacnet/bn.h"
#include "scanner/ede/sc_ede.h"

bool SC_EDE_OBJEKT(std::uint32_t ulObjId, std::uint32_t ulDev) {
    return stSC_Ede.bAn && ulObjId == QX04_BN_OBJID(QX04_OBJ_DEVICE, ulDev);
}
