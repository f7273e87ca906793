// Start of the next object-list element of the device at the device index: the device's first element when
// it is not started yet, else the one after the last. The record stands for the device object until the
// element arrives.
#include "bacnet/bn.h"
#include "scanner/walk/sc_scan.h"

bool SC_OBJ_ANFANG(SC_SCAN_Struct *stScan, std::uint32_t ulDev) {
    SC_GANG_Struct &g = stScan->stGang;
    if (g.iObjIdx < 0) {
        SC_DEV_ANFANG(stScan, ulDev);
        g.iObjIdx = 0;
    } else if (g.iObjIdx >= SC_LISTE_ENDE) {
        SC_DEV_ENDE(stScan);
        return false;
    } else {
        g.iObjIdx++;
    }
    g.PROP_Modus = 0;
    g.iStateSlot = -1;
    g.iZustaende = -1;
    g.pFrage = nullptr;
    SC_OBJ_NEU(&g.stObj, ulDev);
    g.usPropId = QX04_PROP_OBJECT_LIST;
    stScan->stRpm.bObjRP = false;
    return true;
}
