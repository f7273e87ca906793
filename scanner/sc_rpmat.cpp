// The answer to an outstanding ReadPropertyMultiple. An acknowledgement is taken value by value: each goes to
// the scan step that would have asked for it by ReadProperty, through the same handling, so the objects end
// as the ReadProperty scan ends them and write the same lines. A Reject or an Error means the device does not
// take the service: it is read by ReadProperty from here on. An Abort asks for a smaller batch.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

static const char cRoutine[] = "SC_LOOP";

static QX04_BN_RPMERG aErg[QX04_RPM_MAX];

// The largest text and state-text array in the answer, for the size of later batches.
static void LERNEN(SC_RPM_Struct &r, int n) {
    for (int i = 0; i < n; i++) {
        const QX04_BN_RPMERG &e = aErg[i];
        const unsigned u = e.iWert > 0 ? static_cast<unsigned>(e.iEnde - e.iWert) : 0;
        const std::uint32_t p = e.stRef.ulPropId;
        if (p == 110 && u > r.uFeld) r.uFeld = u;
        if ((p == 77 || p == 28 || p == 46 || p == 4) && u > r.uText) r.uText = u;
    }
}

// The result for a step's property (and array index) of an object: as an answer (3, or -1000 - code) with the
// value's position; false when the answer does not hold it. A state text comes from the whole array: an
// element past its end is refused as a ReadProperty of it would be (invalid array index).
static bool SUCHEN(int n, std::uint32_t ulObjId, std::uint16_t usProp, int iIdx, int *iErg, int *iPos) {
    for (int i = 0; i < n; i++) {
        const QX04_BN_RPMERG &e = aErg[i];
        if (e.stRef.ulObjId != ulObjId || e.stRef.ulPropId != usProp) continue;
        *iErg = e.iFehler != 0 ? e.iFehler : 3;
        *iPos = e.iWert;
        if (e.stRef.lIndex == iIdx) return true;
        if (e.stRef.lIndex != -1 || usProp != 110 || iIdx < 1) continue;
        if (e.iFehler == 0) *iPos = QX04_BN_RPMELEM(QX04_RECV_Buf, &e, iIdx);
        if (e.iFehler == 0 && *iPos == 0) *iErg = -1042;
        return true;
    }
    return false;
}

// Object-list elements: the one started is answered now, the others are read ahead up to the list's end.
static void LISTE(SC_SCAN_Struct *stScan, int n) {
    SC_RPM_Struct &r = stScan->stRpm;
    std::uint32_t ulWert;
    if (aErg[0].stRef.lIndex == 0 && QX04_BN_WERT(QX04_RECV_Buf, aErg[0].iWert, &ulWert) == 2) {
        float f;
        std::memcpy(&f, &ulWert, sizeof f);
        r.lListeLen = f >= 0 && f < 65536 ? static_cast<long>(f) : -1;
    }
    r.iVorErst = stScan->iObjIdx + 1;
    r.iVorAnz = 0;
    for (int i = 1; i < n && (i == 1 || aErg[i - 1].iFehler == 0); i++) {
        SC_VORRAT_Struct &v = r.aVor[static_cast<std::size_t>(r.iVorAnz++)];
        v.iTag =
            aErg[i].iFehler != 0 ? aErg[i].iFehler : QX04_BN_WERT(QX04_RECV_Buf, aErg[i].iWert, &v.ulWert);
        if (aErg[i].iFehler != 0) v.ulWert = 0;
    }
    SC_RPM_GEBEN(stScan, aErg[0].iFehler != 0 ? aErg[0].iFehler : 3, aErg[0].iWert);
}

// Objects: the one in progress and the next data points read ahead, each step by step to its end.
static void OBJEKTE(SC_SCAN_Struct *stScan, int n) {
    SC_RPM_Struct &r = stScan->stRpm;
    const std::uint32_t uDev = stScan->uDevIdx;
    const std::uint32_t ulDev = stScan->stObj.ulDev;
    for (int iObj = 1;; iObj++) {
        while (stScan->PROP_Modus >= 0 && stScan->iErg == 0) {
            int iIdx, iErg, iPos;
            const std::uint16_t usProp = SC_SCHRITT(stScan, &iIdx);
            if (!SUCHEN(n, stScan->stObj.ulObjId, usProp, iIdx, &iErg, &iPos)) {
                r.bNachholen = r.bObjRP =
                    true; // not asked for: this step and the object's rest by ReadProperty
                stScan->iWarten = SC_BEREIT;
                return;
            }
            SC_RPM_GEBEN(stScan, iErg, iPos);
        }
        if (iObj >= r.iAnz || stScan->iErg != 0) return;
        // The next data point of the batch, after the other objects of the list before it.
        do {
            if (!SC_RPM_VORRAT(stScan, ulDev)) return;
        } while (stScan->PROP_Modus < 0 && stScan->uDevIdx == uDev && stScan->iErg == 0);
        if (stScan->uDevIdx != uDev || stScan->iErg != 0) return;
    }
}

void SC_RPM_ANTWORT(SC_SCAN_Struct *stScan) {
    SC_RPM_Struct &r = stScan->stRpm;
    const int iArt = r.iArt;
    const int a = QX04_BN_POSAPDU(QX04_RECV_Buf); // a matched answer has its type inside the frame
    const int iTyp = QX04_RECV_Buf[a] >> 4;
    if (iTyp == 0x7) {
        SC_RPM_WENIGER(stScan, "Abbruch");
        return;
    }
    r.iArt = 0;
    const int n = iTyp == 0x3 ? QX04_BN_RPMACK(QX04_RECV_Buf, aErg, QX04_RPM_MAX) : -1;
    if (TEST_T_I || TEST_T_I1)
        UT_TRC("\n\n", cRoutine, "Nach RPM   Device : %lu   Ergebnisse : %d%s",
               (unsigned long)stScan->stObj.ulDev, n,
               n > 0 ? "" : "   abgelehnt: weiter mit ReadProperty f\x81r das Device");
    if (n <= 0) {
        r.bAus = true;
        r.bNachholen = iArt == SC_RPM_LISTE; // the element started is asked for again
        stScan->iWarten = SC_BEREIT;
        return;
    }
    LERNEN(r, n);
    if (iArt == SC_RPM_LISTE)
        LISTE(stScan, n);
    else
        OBJEKTE(stScan, n);
    stScan->iWarten = SC_BEREIT;
}
