// Starting values of a scan state: first device, no object, nothing sent, deadline 5 seconds ahead.
#include "runtime/ut/ut.h"
#include "scanner/walk/sc_scan.h"

void SC_SCAN_NEU(SC_SCAN_Struct *stScan) {
    SC_GANG_Struct &g = stScan->stGang;
    g.iErg = 0;
    g.uDevIdx = 0;
    g.iObjIdx = -1;
    g.PROP_Modus = -1;
    g.iStateSlot = -1;
    g.iZustaende = -1;
    g.pFrage = nullptr;
    g.usPropId = 0;
    g.uZeile = 1;
    SC_OBJ_NEU(&g.stObj, 0);
    SC_AUSTAUSCH_NEU(&stScan->stAnf);
    SC_RPM_NEU(&stScan->stRpm);
    stScan->pHalten = nullptr;
}
