// A batch of objects: the data point in progress and the next ones read ahead, each with every property the
// request table asks of it, as many as the device's answer can hold. The answer must fit its max APDU, sized
// octet by octet from what the device has sent so far for each property, and the batch never asks more than
// an Abort or silence has left.
#include <algorithm>
#include "scanner/walk/sc_scan.h"

constexpr int SC_RPM_ACK_KOPF = 3;     // APDU header of the answer
constexpr int SC_RPM_OBJEKT_BYTES = 7; // an object's identifier and list tags in the answer
constexpr int SC_RPM_PROP_BYTES = 4;   // a property's identifier and opening and closing tags
constexpr int SC_RPM_ZAHL_BYTES = 5;   // an enumerated or unsigned value
constexpr int SC_RPM_TEXT_KOPF = 3;    // a character string's tag, length and character set
constexpr int SC_RPM_FELD_KOPF = 2;
constexpr int SC_RPM_FRAME_KOPF = 4; // bytes of our request before its service tags

// Answer bytes of one value: the longest the device has sent for that property and a quarter more (a longer
// one may come), but no more than the longest of its kind (text or state-text array); for a property not yet
// seen, and after a batch of the device failed, the longest of its kind; before any SC_RPM_TEXT0 or
// SC_RPM_FELD0.
static int WERT(const SC_RPM_Struct &r, const SC_FRAGE_Struct *f) {
    if (f->ucWert == SC_W_ZAHL) return SC_RPM_ZAHL_BYTES;
    const bool bFeld = f->ucWert == SC_W_FELD;
    const unsigned uArt = bFeld ? r.uFeld : r.uText;
    const int k = SC_RPM_WERT_NR(f->usProp);
    const unsigned uEigen = k >= 0 && !r.bVorsicht ? r.auWert[static_cast<std::size_t>(k)] : 0;
    const unsigned u = uEigen != 0 ? std::min(uEigen + uEigen / 4, uArt)
                       : uArt != 0 ? uArt
                                   : (bFeld ? SC_RPM_FELD0 : SC_RPM_TEXT0);
    return (bFeld ? SC_RPM_FELD_KOPF : SC_RPM_TEXT_KOPF) + static_cast<int>(u);
}

// Answer bytes of one data point, value by value.
static int SCHAETZEN(const SC_RPM_Struct &r, const SC_FRAGE_Struct *const *apFrage, int n) {
    int iBytes = SC_RPM_OBJEKT_BYTES;
    for (int i = 0; i < n; i++)
        iBytes += SC_RPM_PROP_BYTES + WERT(r, apFrage[i]);
    return iBytes;
}

// The next object read ahead from element v on that the request table asks (other objects between give no
// request, the list's end or a refused element stops): its identifier, or false when there is none.
static bool NAECHSTER(const SC_RPM_Struct &r, int &v, std::uint32_t ulDev, std::uint32_t *ulObjId) {
    const SC_FRAGE_Struct *apFrage[SC_FRAGEN_MAX];
    for (; v >= 0 && v < r.iVorAnz && !SC_ABGELEHNT(r.aVor[v].iTag); v++) {
        const SC_VORRAT_Struct &e = r.aVor[v];
        if (e.iTag == QX04_TAG_OBJID && SC_FRAGEN(e.ulWert, ulDev, apFrage) > 0) {
            *ulObjId = e.ulWert;
            v++;
            return true;
        }
    }
    return false;
}

int SC_RPM_OBJEKTE(SC_SCAN_Struct *stScan, std::uint32_t ulDev) {
    const SC_RPM_Struct &r = stScan->stRpm;
    const int iApdu = SC_RPM_APDU(stScan->stGang.uDevIdx);
    static QX04_BN_RPMREF aRef[QX04_RPM_MAX];
    int iRefs = 0, iAnz = 0, iBytes = SC_RPM_ACK_KOPF;
    std::uint32_t ulObjId = stScan->stGang.stObj.ulObjId;
    for (int v = stScan->stGang.iObjIdx + 1 - r.iVorErst;;) {
        const SC_FRAGE_Struct *apFrage[SC_FRAGEN_MAX];
        const int n = SC_FRAGEN(ulObjId, ulDev, apFrage);
        const int b = SCHAETZEN(r, apFrage, n);
        if (iAnz > 0 && (iAnz >= r.stObjekte.iMax || iRefs + n > QX04_RPM_MAX || iBytes + b > iApdu)) break;
        for (int j = 0; j < n; j++)
            aRef[iRefs + j] = QX04_BN_RPMREF{ulObjId, apFrage[j]->usProp, -1};
        if (iAnz > 0 && SC_RPM_FRAME_KOPF + QX04_BN_RPMTAGS(aRef, iRefs + n, nullptr, QX04_BUF_SIZE) > iApdu)
            break;
        iRefs += n, iAnz++, iBytes += b;
        if (!NAECHSTER(r, v, ulDev, &ulObjId)) break;
    }
    return SC_RPM_SENDEN(stScan, ulDev, aRef, iRefs, SC_DIENST_OBJEKTE, iAnz);
}
