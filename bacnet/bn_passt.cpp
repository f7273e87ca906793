// Whether a received frame answers a request the scanner sent: the same invoke id and service, from the
// device the request went to, and for a ReadProperty-ACK the object, property and array index asked for (for
// a ReadPropertyMultiple-ACK all of them, in the order asked).
// Invoke ids come round after 256 requests, and answers can arrive twice or late, so the id alone does not
// tell which request an answer belongs to.
#include <cstring>
#include "bacnet/bn.h"

// Object identifier, property and, when present, array index of a ReadProperty request or acknowledgement,
// from offset *p on, which moves behind them; false when they cannot be read.
static bool OBJPROP(const unsigned char *ucFrame, int *p, std::uint32_t ulWert[3], bool *bIndex) {
    const int iLen = (int)QX04_BN_BVLCLEN(ucFrame);
    for (int i = 0; i < 3; i++) {
        const int l = QX04_BN_KWERT(ucFrame, *p, iLen, i, &ulWert[i]);
        if (l == 0) {
            *bIndex = false;
            return i == 2;
        }
        *p += l;
    }
    *bIndex = true;
    return true;
}

// The first value tag of a ReadProperty-ACK behind its opening tag, from offset p on (behind object, property
// and index); 0 when there is none before the frame's end.
static int WERTPOS(const unsigned char *ucFrame, int p) {
    const int iLen = (int)QX04_BN_BVLCLEN(ucFrame);
    for (;;) {
        if (p >= iLen) return 0;
        if (QX04_BN_TAGNUM(ucFrame + p) == QX04_TAG_OPEN) break;
        const int l = QX04_BN_TAGLEN(ucFrame + p, ucFrame + iLen);
        if (l == 0) return 0;
        p += l;
    }
    return p + 1 < iLen ? p + 1 : 0;
}

// A ReadPropertyMultiple-ACK answers exactly the properties asked, in their order: its results, written as
// the tags of a request, are the tags of the request. The results land in pErg.
static bool RPM(const unsigned char *ucAntwort, const unsigned char *ucTags, int iTagLen,
                QX04_BN_RPMERG *pErg, int *piErg) {
    static QX04_BN_RPMREF aRef[QX04_RPM_MAX];
    static unsigned char ucBuf[QX04_BUF_SIZE];
    const int n = QX04_BN_RPMACK(ucAntwort, pErg, QX04_RPM_MAX);
    *piErg = n;
    for (int i = 0; i < n; i++)
        aRef[i] = pErg[i].stRef;
    return n > 0 && QX04_BN_RPMTAGS(aRef, n, ucBuf, QX04_BUF_SIZE) == iTagLen &&
           std::memcmp(ucBuf, ucTags, (std::size_t)iTagLen) == 0;
}

int QX04_BN_PASST(const unsigned char *ucAntwort, const IP_PORT *stVon, const unsigned char *ucAnfrage,
                  const IP_PORT *stZiel, QX04_BN_RPMERG *pErg, int *piErg, int *piWert) {
    static QX04_BN_RPMERG aErg[QX04_RPM_MAX]; // when the caller keeps no results
    int iErg = 0, iWert = 0;
    if (pErg == nullptr) pErg = aErg;
    if (piErg == nullptr) piErg = &iErg;
    if (piWert == nullptr) piWert = &iWert;
    *piErg = 0;
    *piWert = 0;
    const int a = QX04_BN_POSAPDU(ucAntwort), r = QX04_BN_POSAPDU(ucAnfrage);
    const int iLen = (int)QX04_BN_BVLCLEN(ucAntwort), iAnfLen = (int)QX04_BN_BVLCLEN(ucAnfrage);
    if (a <= 0 || a + 1 >= iLen || r <= 0 || r + 3 >= iAnfLen) return 0;
    const int iTyp = ucAntwort[a] >> 4;
    if (iTyp < QX04_PDU_SIMPLE_ACK || iTyp > QX04_PDU_ABORT || iTyp == 0x4) return 0; // 0x4: segment ack

    // The device asked: behind a router its network and MAC address, else the IP address the request went
    // to (a device may answer from another port, and through a BBMD, which names it in the header).
    std::uint16_t usNet;
    unsigned char ucSlen;
    const unsigned char *ucSadr;
    if (!QX04_BN_QUELLE(ucAntwort, &usNet, &ucSlen, &ucSadr)) return 0;
    const int n = QX04_BN_POSNPDU(ucAnfrage);
    if ((ucAnfrage[n + 1] & 0x20) != 0) { // DNET, DLEN, DADR of the request
        const unsigned char ucDlen = ucAnfrage[n + 4];
        if (n + 5 + ucDlen > iAnfLen || ucSlen == 0 || usNet != QX04_BN_BNS2S(ucAnfrage + n + 2) ||
            ucSlen != ucDlen || std::memcmp(ucSadr, ucAnfrage + n + 5, ucDlen) != 0)
            return 0;
    } else if (ucSlen != 0 || usNet != 0 || QX04_BN_ABSENDER(stVon, ucAntwort).ulAdr != stZiel->ulAdr) {
        return 0;
    }

    // The request it answers: invoke id, and the service for the PDUs that name one.
    if (ucAntwort[a + 1] != ucAnfrage[r + 2]) return 1;
    if (iTyp == QX04_PDU_SIMPLE_ACK || iTyp == QX04_PDU_ERROR) {
        if (a + 2 >= iLen || ucAntwort[a + 2] != ucAnfrage[r + 3]) return 1;
    } else if (iTyp == QX04_PDU_COMPLEX_ACK) {
        // A segment carries its service two bytes later; its values are known only when all have come.
        if ((ucAntwort[a] & 0x08) != 0)
            return a + 4 < iLen && ucAntwort[a + 4] == ucAnfrage[r + 3] ? QX04_PASST_SEGMENT : 1;
        if (a + 2 >= iLen || ucAntwort[a + 2] != ucAnfrage[r + 3]) return 1;
        if (ucAnfrage[r + 3] ==
            QX04_SVC_READ_PROPERTY) { // ReadProperty: the object, property and index asked for
            std::uint32_t ulA[3] = {}, ulR[3] = {};
            bool bIdxA, bIdxR;
            int pA = a + 3, pR = r + 4;
            if (!OBJPROP(ucAntwort, &pA, ulA, &bIdxA) || !OBJPROP(ucAnfrage, &pR, ulR, &bIdxR) ||
                bIdxA != bIdxR || ulA[0] != ulR[0] || ulA[1] != ulR[1] || (bIdxA && ulA[2] != ulR[2]))
                return 1;
            *piWert = WERTPOS(ucAntwort, pA);
        }
        if (ucAnfrage[r + 3] == QX04_SVC_READ_PROP_MULTIPLE &&
            !RPM(ucAntwort, ucAnfrage + r + 4, iAnfLen - r - 4, pErg, piErg))
            return 1;
    }
    return 2;
}
