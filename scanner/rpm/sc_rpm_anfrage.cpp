// Send step of ReadPropertyMultiple: object-list elements in batches, then, for the data point in progress
// and the next ones read ahead, everything the ReadProperty scan would ask of them in one request. What the
// device or an object does not take by it is left to the walk's ReadProperty.
#include "scanner/walk/sc_scan.h"

int SC_RPM_ANFRAGE(SC_SCAN_Struct *stScan, std::uint32_t ulDev) {
    SC_RPM_Struct &r = stScan->stRpm;
    SC_GANG_Struct &g = stScan->stGang;
    const int iElement = r.iElement;
    r.iElement = 0;
    if (iElement == SC_RPM_OFFEN_RP) return SC_RP_ANFRAGE(stScan, ulDev, g.iObjIdx) ? 1 : 0;
    if (g.PROP_Modus > 0) return -1;
    if (iElement == SC_RPM_OFFEN_RPM) return SC_RPM_LISTE(stScan, ulDev);
    if (iElement == SC_RPM_OFFEN_GANZ) return SC_RPM_GANZ(stScan, ulDev);
    const std::uint32_t uDev = g.uDevIdx;
    while (g.PROP_Modus < 0) {
        // What was read ahead is used up, also by a device that is read by ReadProperty now.
        if (SC_RPM_VORRAT(stScan, ulDev)) {
            if (g.uDevIdx != uDev || g.iErg != 0) return 0; // the list ended there, or a write failed
            continue;
        }
        // A device not started yet is tried again, whatever the one before did.
        if (r.bNurRP && g.iObjIdx >= 0) return -1;
        if (!SC_OBJ_ANFANG(stScan, ulDev)) return 0;
        // The list's first element starts the device: the whole list at once, where the device gives it.
        // After a silence the whole list is asked once more, at the element started then.
        return (g.iObjIdx == 0 || r.bGanzStill) && !r.bGanzNein ? SC_RPM_GANZ(stScan, ulDev)
                                                                : SC_RPM_LISTE(stScan, ulDev);
    }
    return r.bNurRP || r.bObjRP ? -1 : SC_RPM_OBJEKTE(stScan, ulDev);
}
