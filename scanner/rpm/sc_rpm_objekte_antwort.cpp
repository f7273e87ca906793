// Objects of an acknowledgement: the one in progress and the next data points read ahead, each step by step
// to its end. A step whose property is not in the answer is not taken: the object's rest goes by
// ReadProperty.
#include "scanner/walk/sc_scan.h"

// The result for a step's property (and array index) of an object: as an answer (QX04_MSG_ACK, or the Error)
// with its value; false when the answer does not hold it. A state text comes from the whole array: an element
// past its end is refused as a ReadProperty of it would be.
static bool SUCHEN(const SC_ANTWORT_Struct *a, std::uint32_t ulObjId, std::uint16_t usProp, int iIdx,
                   int *iErg, SC_WERT_Struct *w) {
    for (int i = 0; i < a->iRpmAnz; i++) {
        const QX04_BN_RPMERG &e = a->pErg[i];
        if (e.stRef.ulObjId != ulObjId || e.stRef.ulPropId != usProp) continue;
        *iErg = e.iFehler != 0 ? e.iFehler : QX04_MSG_ACK;
        *w = SC_WERT_VORRAT(e.iFehler, 0);
        if (e.iFehler == 0) w->stWert = a->pRpmWert[i];
        if (e.stRef.lIndex == iIdx) return true;
        if (e.stRef.lIndex != -1 || SC_WERTART(usProp) != SC_W_FELD || iIdx < 1) continue;
        if (e.iFehler != 0) return true;
        const QX04_BN_WERT_Struct &f = a->pRpmWert[i];
        const int p = QX04_BN_FELDELEM(f.ucAnf, f.iLen, iIdx);
        QX04_BN_WERTLESEN(p >= 0 ? f.ucAnf + p : nullptr, f.ucAnf + f.iLen, &w->stWert);
        if (p < 0) *iErg = SC_FEHLER_ARRAY_INDEX, *w = SC_WERT_VORRAT(SC_FEHLER_ARRAY_INDEX, 0);
        return true;
    }
    return false;
}

void SC_RPM_OBJEKTE_ANTWORT(SC_SCAN_Struct *stScan, const SC_ANTWORT_Struct *stAntwort) {
    SC_GANG_Struct &g = stScan->stGang;
    const std::uint32_t uDev = g.uDevIdx;
    const std::uint32_t ulDev = g.stObj.ulDev;
    for (int iObj = 1;; iObj++) {
        while (g.PROP_Modus >= 0 && g.iErg == 0) {
            int iIdx, iErg;
            SC_WERT_Struct stWert;
            const std::uint16_t usProp = SC_FRAGE(&g, &iIdx);
            if (SC_FRAGE_FEHLT(SC_FRAGE_ZEILE(&g), g.stObj.ulObjId)) { // not asked: the type lacks it
                SC_SCHRITT(&g, &iIdx);
                SC_FRAGE_FEHLT_ANTWORT(stScan);
                continue;
            }
            if (!SUCHEN(stAntwort, g.stObj.ulObjId, usProp, iIdx, &iErg, &stWert)) {
                stScan->stRpm.bObjRP = true; // not asked for: this step and the object's rest by ReadProperty
                return;
            }
            SC_SCHRITT(&g, &iIdx);
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
