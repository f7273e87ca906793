// Sends the next request for the device at the device index: the next object-list element when no object is
// in progress, otherwise the property the next scan step needs. One request is outstanding at a time.
#include <algorithm>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

// A device that has answered twice: the next invoke id rests until a late copy of the answer it carried last
// time can no longer come, twice as long as the latest copy seen (at most SC_KOPIE_MAX_MS, well inside the
// deadline of the request answered last).
static bool RUHT(const SC_SCAN_Struct *stScan) {
    if (stScan->ulKopieMs == 0) return false;
    const std::uint32_t ulZuletzt = stScan->aulAntwortMs[static_cast<unsigned char>(ucQX04_InvokeId + 1)];
    const std::uint32_t ulRuhe = std::min<std::uint32_t>(2 * stScan->ulKopieMs + 20, SC_KOPIE_MAX_MS);
    return ulZuletzt != 0 && UT_MSEK() - ulZuletzt < ulRuhe;
}

bool SC_ANFRAGE(SC_SCAN_Struct *stScan) {
    if (stScan->iWarten != SC_BEREIT || !SC_DEV_AKTIV(stScan) || RUHT(stScan)) return false;
    SC_OBJ_Struct *o = &stScan->stObj;
    std::uint32_t ulDev = BN_ROUTE_QX04_Struct[stScan->uDevIdx].ulSDEV;
    if (iSC_Mehrfach != 0) {
        const int r = SC_RPM_ANFRAGE(stScan, ulDev);
        if (r >= 0) return r > 0;
    }
    IP_PORT stZiel = {0xFFFFFFFF, 0};
    int iLen, iArrIdx = -1;
    if (stScan->stRpm.bNachholen) {
        // The step is taken, its answer did not come by ReadPropertyMultiple: the same step by ReadProperty.
        stScan->stRpm.bNachholen = false;
        if (stScan->PROP_Modus == 0)
            iArrIdx = stScan->iObjIdx;
        else if (stScan->usPropId == 110)
            iArrIdx = stScan->Index + 1;
    } else if (stScan->PROP_Modus >= 0) {
        SC_SCHRITT(stScan, &iArrIdx);
    } else {
        if (!SC_OBJ_ANFANG(stScan, ulDev)) return false;
        iArrIdx = stScan->iObjIdx;
    }
    if (iArrIdx < 0)
        iLen = QX04_BN_RD(ulDev, o->ulObjId, stScan->usPropId, &stZiel, QX04_SEND_Buf);
    else
        iLen = QX04_BN_RDARR(ulDev, o->ulObjId, stScan->usPropId, static_cast<std::uint16_t>(iArrIdx),
                             &stZiel, QX04_SEND_Buf);
    stScan->bUnbaubar = iLen <= 0;
    if (iLen <= 0) return false;
    SC_GESENDET(stScan, iLen, &stZiel);
    return true;
}
