// An event about where the walk stands: the device, the object in progress with its id and address text, the
// property of its step.
#include "scanner/walk/sc_scan.h"

SC_EREIGNIS_Struct SC_GANG_EREIGNIS(int iArt, const SC_GANG_Struct *g) {
    SC_EREIGNIS_Struct e{};
    e.iArt = iArt;
    e.uDev = g->uDevIdx;
    e.ulDev = g->stObj.ulDev;
    e.ulObjId = g->stObj.ulObjId;
    e.usProp = g->usPropId;
    e.iSchritt = g->PROP_Modus;
    e.iIndex = -1;
    e.lZahl = -1;
    e.cId = g->stObj.cDpId;
    e.cAdr = g->stObj.cBnAdr;
    return e;
}
