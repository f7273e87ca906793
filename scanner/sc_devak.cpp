// Whether the device table entry at the device index holds a device. Entries are used without gaps, so the
// first free one ends the walk; a table filled to capacity ends after its last entry.
#include "bacnet/bn.h"
#include "scanner/sc.h"

bool SC_DEV_AKTIV(const SC_SCAN_Struct *stScan) {
    return BN_ROUTE_QX04_Struct != nullptr && stScan->uDevIdx < uQX04_Anz_Dev &&
           BN_ROUTE_QX04_Struct[stScan->uDevIdx].ulSDEV != 0xFFFFFFFF;
}
