// End of a device's object list (an Error or Reject for an element, or its last 16-bit index): the walk moves
// to the next entry of the device table.
#include <vector>
#include "scanner/walk/sc_scan.h"

// Devices the walk has finished, by table index: only they count as scanned on the console.
static std::vector<bool> vGescannt;

void SC_DEV_ENDE(SC_SCAN_Struct *stScan) {
    SC_GANG_Struct &g = stScan->stGang;
    SC_DEV_SCHLUSS(stScan, SC_AUS_KOMPLETT);
    if (g.uDevIdx >= vGescannt.size()) vGescannt.resize(g.uDevIdx + 1);
    vGescannt[g.uDevIdx] = true;
    g.iObjIdx = -1;
    g.PROP_Modus = -1;
    g.uDevIdx++;
}

bool SC_DEV_GESCANNT(std::uint32_t uDev) {
    return uDev < vGescannt.size() && vGescannt[uDev];
}
