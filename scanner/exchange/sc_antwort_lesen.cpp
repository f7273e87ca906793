// The answer to a transaction, decoded once: what kind it is, what refused the request (an Error's class and
// code, a Reject's or an Abort's reason), and the values it carries, a ReadProperty's one or the value of
// each result of a ReadPropertyMultiple. The walk, the report and the EDE files take them from this record;
// no one reads the received frame again. Every read is bounded by the bytes that arrived as well as by the
// frame's own length field.
#include <algorithm>
#include "bacnet/bn.h"
#include "scanner/exchange/sc_austausch_intern.h"

void SC_ANTWORT_LESEN(int iErg, int iLen, int iWert, const QX04_BN_RPMERG *pErg, int iRpmAnz,
                      SC_ANTWORT_Struct *stAntwort, const unsigned char *ucFrame) {
    static QX04_BN_WERT_Struct aWert[QX04_RPM_MAX];
    SC_ANTWORT_Struct &r = *stAntwort;
    const int iEnde = std::min(iLen, static_cast<int>(QX04_BN_BVLCLEN(ucFrame)));
    r.iErg = iErg;
    r.iPdu = QX04_BN_PDUTYP(ucFrame);
    r.iArt = iErg == QX04_MSG_ACK       ? SC_ANT_WERT
             : SC_ABGELEHNT(iErg)       ? SC_ANT_ABWEIS
             : r.iPdu == QX04_PDU_ABORT ? SC_ANT_ABBRUCH
                                        : SC_ANT_UNKLAR;
    r.iKlasse = r.iPdu == QX04_PDU_ERROR ? QX04_BN_FEHLERKLASSE(ucFrame) : -1;
    r.iCode = r.iArt != SC_ANT_ABWEIS     ? -1
              : r.iPdu == QX04_PDU_REJECT ? QX04_MSG_REJECT - iErg
                                          : QX04_MSG_FEHLER - iErg;
    if (r.iArt == SC_ANT_ABBRUCH) { // the reason, 0 (other) when it is cut off
        const int a = QX04_BN_POSAPDU(ucFrame);
        r.iCode = a > 0 && a + 2 < iEnde ? ucFrame[a + 2] : 0;
    }
    QX04_BN_WERTLESEN(nullptr, nullptr, &r.stWert);
    if (iErg == QX04_MSG_ACK && iWert > 0 && iWert < iEnde)
        QX04_BN_WERTLESEN(ucFrame + iWert, ucFrame + iEnde, &r.stWert);
    r.pErg = pErg;
    r.pRpmWert = aWert;
    r.iRpmAnz = std::clamp(iRpmAnz, 0, QX04_RPM_MAX);
    for (int i = 0; i < r.iRpmAnz; i++) {
        const QX04_BN_RPMERG &e = pErg[i];
        const bool bWert = e.iWert > 0 && e.iWert < iEnde;
        QX04_BN_WERTLESEN(bWert ? ucFrame + e.iWert : nullptr, ucFrame + std::min(e.iEnde, iEnde), &aWert[i]);
    }
}
