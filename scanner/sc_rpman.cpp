// Send step of ReadPropertyMultiple: object-list elements in batches, then, for the data point in progress
// and the next ones read ahead, everything the ReadProperty scan would ask of them in one request. A batch
// holds as much as the device's answer can: the answer must fit its max APDU (from its I-Am, else 480 bytes),
// sized from the largest texts the device has sent so far, and never more than an Abort or silence has left.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

static const char cRoutine[] = "SC_LOOP";

// Bytes an answer of the device may have: its max APDU, within what a frame of ours can take.
static int APDU(const SC_SCAN_Struct *stScan) {
    const int n = BN_ROUTE_QX04_Struct[stScan->uDevIdx].usMaxApdu;
    return n == 0 ? SC_RPM_APDU0 : n < 50 ? 50 : n > 1476 ? 1476 : n;
}

// The properties the ReadProperty scan may ask of a data point, in the order of its steps; their number.
static int PROPS(std::uint32_t ulObjId, std::uint32_t *aulProp) {
    const char *cKurz;
    const std::uint32_t ulTyp = ulObjId >> 22;
    const unsigned uDpTyp = SC_OBJTYP(ulTyp, &cKurz);
    aulProp[0] = 77; // object-name
    aulProp[1] = 28; // description
    if (uDpTyp >= 3) {
        aulProp[2] = 117; // units
        return 3;
    }
    aulProp[2] = 84;                   // polarity
    aulProp[3] = ulTyp <= 5 ? 46 : 74; // inactive-text, or number-of-states
    aulProp[4] = ulTyp <= 5 ? 4 : 110; // active-text, or all state texts
    return 5;
}

// Answer bytes of one data point: its identifier and list tags, per property its tags and value, a text as
// long as the longest the device has sent (or SC_RPM_TEXT0 before any), the state texts likewise.
static int SCHAETZEN(const SC_RPM_Struct &r, const std::uint32_t *aulProp, int n) {
    const int iText = 3 + static_cast<int>(r.uText != 0 ? r.uText : SC_RPM_TEXT0);
    const int iFeld = 2 + static_cast<int>(r.uFeld != 0 ? r.uFeld : SC_RPM_FELD0);
    int iBytes = 7;
    for (int i = 0; i < n; i++)
        iBytes += 4 + (aulProp[i] == 110                                           ? iFeld
                       : aulProp[i] == 117 || aulProp[i] == 84 || aulProp[i] == 74 ? 5
                                                                                   : iText);
    return iBytes;
}

static int SENDEN(SC_SCAN_Struct *stScan, std::uint32_t ulDev, const QX04_BN_RPMREF *aRef, int iRefs,
                  int iArt, int iAnz) {
    IP_PORT stZiel = {0xFFFFFFFF, 0};
    const int iLen = QX04_BN_RPM(ulDev, aRef, iRefs, &stZiel, QX04_SEND_Buf);
    stScan->bUnbaubar = iLen <= 0;
    if (iLen <= 0) return 0;
    SC_GESENDET(stScan, iLen, &stZiel);
    stScan->stRpm.iArt = iArt;
    stScan->stRpm.iAnz = iAnz;
    if (TEST_T_O || TEST_T_O1)
        UT_TRC("\n\n", cRoutine, "Vor RPM   Device : %lu   %s : %d   Properties : %d   Invoke : %u",
               (unsigned long)ulDev, iArt == SC_RPM_LISTE ? "Objektliste ab Index" : "Objekte",
               iArt == SC_RPM_LISTE ? stScan->iObjIdx : iAnz, iRefs, stScan->ucInvoke);
    return 1;
}

// Elements of the object list from the one started on: up to the list's end when its length is known.
static int LISTE(SC_SCAN_Struct *stScan, std::uint32_t ulDev) {
    const SC_RPM_Struct &r = stScan->stRpm;
    const int iApdu = APDU(stScan), i = stScan->iObjIdx;
    // Per element at most 12 bytes in the answer (property, index, tags, identifier or error). Until the
    // list's length is known, a first batch small enough for any device: a short list is read whole by it.
    int k = (iApdu - 3 - 7) / 12;
    if (r.lListeLen < 0 && k > SC_RPM_LISTE0) k = SC_RPM_LISTE0;
    if (k > r.iListeMax) k = r.iListeMax;
    if (r.lListeLen >= 0 && i <= r.lListeLen + 1 && k > r.lListeLen + 2 - i)
        k = static_cast<int>(r.lListeLen + 2 - i); // the index after the last one ends the list
    if (k > 0x10000 - i) k = 0x10000 - i;
    if (k < 1) k = 1;
    static QX04_BN_RPMREF aRef[QX04_RPM_MAX];
    for (int j = 0; j < k; j++)
        aRef[j] = QX04_BN_RPMREF{stScan->stObj.ulObjId, 76, i + j};
    while (k > 1 && 4 + QX04_BN_RPMTAGS(aRef, k, nullptr, QX04_BUF_SIZE) > iApdu)
        k--;
    return SENDEN(stScan, ulDev, aRef, k, SC_RPM_LISTE, k);
}

// The data point in progress and the next ones read ahead, as many as fit.
static int OBJEKTE(SC_SCAN_Struct *stScan, std::uint32_t ulDev) {
    const SC_RPM_Struct &r = stScan->stRpm;
    const int iApdu = APDU(stScan);
    static QX04_BN_RPMREF aRef[QX04_RPM_MAX];
    int iRefs = 0, iAnz = 0, iBytes = 3;
    std::uint32_t ulObjId = stScan->stObj.ulObjId;
    for (int v = stScan->iObjIdx + 1 - r.iVorErst;;) {
        std::uint32_t aulProp[5];
        const int n = PROPS(ulObjId, aulProp);
        const int b = SCHAETZEN(r, aulProp, n);
        if (iAnz > 0 && (iAnz >= r.iObjMax || iRefs + n > QX04_RPM_MAX || iBytes + b > iApdu)) break;
        for (int j = 0; j < n; j++)
            aRef[iRefs + j] = QX04_BN_RPMREF{ulObjId, aulProp[j], -1};
        if (iAnz > 0 && 4 + QX04_BN_RPMTAGS(aRef, iRefs + n, nullptr, QX04_BUF_SIZE) > iApdu) break;
        iRefs += n, iAnz++, iBytes += b;
        // The next data point read ahead; other objects between give no request, the list's end stops.
        const char *cKurz;
        for (ulObjId = 0; ulObjId == 0 && v >= 0 && v < r.iVorAnz && r.aVor[v].iTag > -1000; v++)
            if (r.aVor[v].iTag == 12 && SC_OBJTYP(r.aVor[v].ulWert >> 22, &cKurz) != 0)
                ulObjId = r.aVor[v].ulWert;
        if (ulObjId == 0) break;
    }
    return SENDEN(stScan, ulDev, aRef, iRefs, SC_RPM_OBJEKTE, iAnz);
}

int SC_RPM_ANFRAGE(SC_SCAN_Struct *stScan, std::uint32_t ulDev) {
    SC_RPM_Struct &r = stScan->stRpm;
    if (r.bNachholen || stScan->PROP_Modus > 0) return -1;
    if (r.bListe) {
        r.bListe = false;
        return LISTE(stScan, ulDev);
    }
    const std::uint32_t uDev = stScan->uDevIdx;
    while (stScan->PROP_Modus < 0) {
        // What was read ahead is used up, also by a device that is read by ReadProperty now.
        if (SC_RPM_VORRAT(stScan, ulDev)) {
            if (stScan->uDevIdx != uDev) SC_RTO_TRC(&stScan->stRto, ulDev); // the list ended there
            if (stScan->uDevIdx != uDev || stScan->iErg != 0) return 0;
            continue;
        }
        // A device not started yet is tried again, whatever the one before did.
        if (r.bAus && stScan->iObjIdx >= 0) return -1;
        if (!SC_OBJ_ANFANG(stScan, ulDev)) return 0;
        return LISTE(stScan, ulDev);
    }
    return r.bAus || r.bObjRP ? -1 : OBJEKTE(stScan, ulDev);
}
