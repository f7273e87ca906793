// Objects of an acknowledgement: the one in progress and the next data points read ahead, each step by step
// to its end. A step whose property is not in the answer is not taken: the object's rest goes by
// ReadProperty.
#include "scanner/walk/sc_scan.h"

// The result for a step's property (and array index) of an object: as an answer (3, or -1000 - code) with
// the value's position; false when the answer does not hold it. A state text comes from the whole array: an
// element past its end is refused as a ReadProperty of it would be.
static bool SUCHEN(const unsigned char *ucFrame, const QX04_BN_RPMERG *pErg, int n, std::uint32_t ulObjId,
                   std::uint16_t usProp, int iIdx, int *iErg, int *iPos) {
    for (int i = 0; i < n; i++) {
        const QX04_BN_RPMERG &e = pErg[i];
        if (e.stRef.ulObjId != ulObjId || e.stRef.ulPropId != usProp) continue;
        *iErg = e.iFehler != 0 ? e.iFehler : 3;
        *iPos = e.iWert;
        if (e.stRef.lIndex == iIdx) return true;
        if (e.stRef.lIndex != -1 || SC_WERTART(usProp) != SC_W_FELD || iIdx < 1) continue;
        if (e.iFehler == 0) *iPos = QX04_BN_RPMELEM(ucFrame, &e, iIdx);
        if (e.iFehler == 0 && *iPos == 0) *iErg = SC_FEHLER_ARRAY_INDEX;
        return true;
    }
    return false;
}

void SC_RPM_OBJEKTE_ANTWORT(SC_SCAN_Struct *stScan, const SC_ANTWORT_Struct *stAntwort) {
    const QX04_BN_RPMERG *pErg = stAntwort->pErg;
    const int n = stAntwort->iRpmAnz;
    SC_GANG_Struct &g = stScan->stGang;
    const std::uint32_t uDev = g.uDevIdx;
    const std::uint32_t ulDev = g.stObj.ulDev;
    for (int iObj = 1;; iObj++) {
        while (g.PROP_Modus >= 0 && g.iErg == 0) {
            int iIdx, iErg, iPos;
            const std::uint16_t usProp = SC_FRAGE(&g, &iIdx);
            if (!SUCHEN(stAntwort->ucFrame, pErg, n, g.stObj.ulObjId, usProp, iIdx, &iErg, &iPos)) {
                stScan->stRpm.bObjRP = true; // not asked for: this step and the object's rest by ReadProperty
                return;
            }
            SC_SCHRITT(&g, &iIdx);
            const SC_WERT_Struct stWert = {SC_Q_POS, iPos, -1, 0, stAntwort->ucFrame};
            SC_SCHRITT_ANTWORT(stScan, iErg, &stWert);
        }
        if (iObj >= stScan->stAnf.iAnz || g.iErg != 0) return;
        // The next data point of the batch, after the other objects of the list before it.
        do {
            if (!SC_RPM_VORRAT(stScan, ulDev)) return;
        } while (g.PROP_Modus < 0 && g.uDevIdx == uDev && g.iErg == 0);
        if (g.uDevIdx != uDev || g.iErg != 0) return;
    }
}
