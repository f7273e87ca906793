// Send step: the next request for the device at the device index, when none is outstanding. With -M the
// ReadPropertyMultiple batches come first; otherwise, and where a device or an object falls back, the
// ReadProperty of the next step of the object in progress, or of the next object-list element.
#include "bacnet/bn.h"
#include "scanner/walk/sc_scan.h"

bool SC_ANFRAGE(SC_SCAN_Struct *stScan) {
    SC_GANG_Struct &g = stScan->stGang;
    if (stScan->stAnf.iWarten != SC_BEREIT || !SC_DEV_AKTIV(&g)) return false;
    const std::uint32_t ulDev = BN_ROUTE_QX04_Struct[g.uDevIdx].ulSDEV;
    if (iSC_Mehrfach != 0) {
        const int r = SC_RPM_ANFRAGE(stScan, ulDev);
        if (r >= 0) return r > 0;
    }
    int iArrIdx = -1;
    if (g.PROP_Modus >= 0) {
        SC_SCHRITT(&g, &iArrIdx);
        if (SC_FRAGE_FEHLT(g.pFrage, g.stObj.ulObjId)) { // nothing goes; the next pass goes on
            SC_FRAGE_FEHLT_ANTWORT(stScan);
            return false;
        }
    } else {
        if (!SC_OBJ_ANFANG(stScan, ulDev)) return false;
        iArrIdx = g.iObjIdx;
    }
    return SC_RP_ANFRAGE(stScan, ulDev, iArrIdx);
}
