// Object-list elements of an acknowledgement: the one started is answered now, the others are read ahead up
// to the list's end (the first refused element); element 0 gives the list's length.
#include <cassert>
#include "scanner/walk/sc_scan.h"

constexpr long SC_LISTE_LEN_MAX = 65535; // array indexes have 16 bits

// The value of result i as a step takes it: the value, or the Error of the result.
static SC_WERT_Struct WERT(const SC_ANTWORT_Struct *a, int i) {
    const int iFehler = a->pErg[i].iFehler;
    SC_WERT_Struct w = SC_WERT_VORRAT(iFehler, 0);
    if (iFehler == 0) w.stWert = a->pRpmWert[i];
    return w;
}

void SC_RPM_LISTE_ANTWORT(SC_SCAN_Struct *stScan, const SC_ANTWORT_Struct *stAntwort) {
    SC_RPM_Struct &r = stScan->stRpm;
    const QX04_BN_RPMERG *pErg = stAntwort->pErg;
    const int n = stAntwort->iRpmAnz;
    const QX04_BN_WERT_Struct &w0 = stAntwort->pRpmWert[0];
    if (pErg[0].stRef.lIndex == 0 && pErg[0].iFehler == 0 && w0.iTag == 2) {
        const long l = SC_GANZZAHL(w0.iTag, w0.ulWert);
        r.lListeLen = l <= SC_LISTE_LEN_MAX ? l : -1;
    }
    r.iVorErst = stScan->stGang.iObjIdx + 1;
    r.iVorAnz = 0;
    if (r.aVor.size() < static_cast<std::size_t>(n)) r.aVor.resize(static_cast<std::size_t>(n));
    for (int i = 1; i < n && (i == 1 || pErg[i - 1].iFehler == 0); i++) {
        assert(r.iVorAnz < n); // one element read ahead per result after the first
        SC_VORRAT_Struct &v = r.aVor[static_cast<std::size_t>(r.iVorAnz++)];
        v.iTag = pErg[i].iFehler != 0 ? pErg[i].iFehler : stAntwort->pRpmWert[i].iTag;
        v.ulWert = pErg[i].iFehler != 0 ? 0 : stAntwort->pRpmWert[i].ulWert;
    }
    const SC_WERT_Struct stWert = WERT(stAntwort, 0);
    SC_SCHRITT_ANTWORT(stScan, pErg[0].iFehler != 0 ? pErg[0].iFehler : QX04_MSG_ACK, &stWert);
}
