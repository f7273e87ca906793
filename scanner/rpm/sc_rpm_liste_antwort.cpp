// Object-list elements of an acknowledgement: the one started is answered now, the others are read ahead up
// to the list's end (the first refused element); element 0 gives the list's length.
#include <bit>
#include <cassert>
#include "scanner/walk/sc_scan.h"

constexpr float SC_LISTE_LEN_MAX = 65536.0f;

void SC_RPM_LISTE_ANTWORT(SC_SCAN_Struct *stScan, const SC_ANTWORT_Struct *stAntwort) {
    SC_RPM_Struct &r = stScan->stRpm;
    const QX04_BN_RPMERG *pErg = stAntwort->pErg;
    const int n = stAntwort->iRpmAnz;
    const unsigned char *ucFrame = stAntwort->ucFrame;
    std::uint32_t ulWert;
    if (pErg[0].stRef.lIndex == 0 && QX04_BN_WERT(ucFrame, pErg[0].iWert, &ulWert) == 2) {
        const float f = std::bit_cast<float>(ulWert);
        r.lListeLen = f >= 0 && f < SC_LISTE_LEN_MAX ? static_cast<long>(f) : -1;
    }
    r.iVorErst = stScan->stGang.iObjIdx + 1;
    r.iVorAnz = 0;
    if (r.aVor.size() < static_cast<std::size_t>(n)) r.aVor.resize(static_cast<std::size_t>(n));
    for (int i = 1; i < n && (i == 1 || pErg[i - 1].iFehler == 0); i++) {
        assert(r.iVorAnz < n); // one element read ahead per result after the first
        SC_VORRAT_Struct &v = r.aVor[static_cast<std::size_t>(r.iVorAnz++)];
        v.iTag = pErg[i].iFehler != 0 ? pErg[i].iFehler : QX04_BN_WERT(ucFrame, pErg[i].iWert, &v.ulWert);
        if (pErg[i].iFehler != 0) v.ulWert = 0;
    }
    const SC_WERT_Struct stWert = {SC_Q_POS, pErg[0].iWert, -1, 0, ucFrame};
    SC_SCHRITT_ANTWORT(stScan, pErg[0].iFehler != 0 ? pErg[0].iFehler : 3, &stWert);
}
