// Whether the device table entry at the device index holds a device. Entries are used without gaps, so the
// first free one ends the walk; a table filled to capacity ends after its last entry.
#include "bacnet/bn.h"
#include "scanner/walk/sc_scan.h"

bool SC_DEV_AKTIV(const SC_GANG_Struct *stGang) {
    return BN_ROUTE_QX04_Struct != nullptr && stGang->uDevIdx < uQX04_Anz_Dev &&
           BN_ROUTE_QX04_Struct[stGang->uDevIdx].ulSDEV != 0xFFFFFFFF;
}
