// One received datagram of a scan pass, for the sequential scan's one state or the parallel scan's places:
// the receive guard, the message check (which learns routes and answers what is asked of the scanner), and
// the matching rule, by which only the answer to a state's outstanding request moves that state on. The
// answer is classified here, once, timed for the device's repetition timer and handed to the walk.
#include <algorithm>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/event/sc_ereignis.h"
#include "scanner/exchange/sc_austausch_intern.h"
#include "scanner/walk/sc_scan.h"

static const char cRoutine[] = "SC_LOOP"; // the trace names the scan loop, whose step this is

// A second answer from the device of stScan (a duplicate, or the answer to an earlier try): how late it came
// after the latest answer with its invoke id decides how long the id rests before it is used again.
static void KOPIE(SC_SCAN_Struct *stScan) {
    const int iInvoke = QX04_BN_INVOKE(QX04_RECV_Buf);
    const std::uint32_t ulErst = iInvoke >= 0 ? stScan->stAnf.aulAntwortMs[iInvoke] : 0;
    if (ulErst == 0) return;
    std::uint32_t ulSpaet = UT_MSEK() - ulErst;
    if (ulSpaet == 0) ulSpaet = 1;
    if (ulSpaet > stScan->stAnf.ulKopieMs) stScan->stAnf.ulKopieMs = ulSpaet;
    if (TEST_T_I || TEST_T_I1)
        UT_TRC("\n", cRoutine, "Zweite Antwort von Device %lu   Invoke : %d   nach %lu ms",
               (unsigned long)stScan->stGang.stObj.ulDev, iInvoke, (unsigned long)ulSpaet);
}

// Abort reasons that a repetition cannot change (other, buffer-overflow, invalid-apdu-in-this-state,
// segmentation-not-supported, apdu-too-long): the device will abort the same request again.
static bool ENDGUELTIG(int iGrund) {
    return iGrund == 0 || iGrund == 1 || iGrund == 2 || iGrund == 4 || iGrund == 11;
}

// A segment of the answer to a's request: false while more are awaited (or the answer put together does not
// answer the request after all: its timer hands it back); true when the answer is whole, decoded from its own
// frame, or the transaction was aborted, as *stAntwort says.
static bool SEGMENT(SC_TRANSAKTION_Struct &a, const IP_PORT *stVon, SC_ANTWORT_Struct *stAntwort) {
    static QX04_BN_RPMERG aErg[QX04_RPM_MAX];
    QX04_BN_SEGMENT stSeg;
    if (!QX04_BN_SEGMENT_LESEN(QX04_RECV_Buf, &stSeg)) return false;
    const int r = SC_SEGMENT(&a, &stSeg);
    if (r == SC_SEG_WEITER) {
        if (a.stSeg.bLauf) SC_FRIST_NEU(&a);
        return false;
    }
    if (r != SC_SEG_GANZ) {
        *stAntwort = {SC_ANT_ABBRUCH, r, QX04_PDU_ABORT, -1, SC_MSG_ABBRUCH - r, {}, nullptr, nullptr, 0};
        QX04_BN_WERTLESEN(nullptr, nullptr, &stAntwort->stWert);
        return true;
    }
    const unsigned char *ucFrame = a.stSeg.vFrame.data();
    const int iLen = static_cast<int>(a.stSeg.vFrame.size());
    int iRpmAnz = 0, iWert = 0;
    if (QX04_BN_PASST(ucFrame, stVon, a.ucFrame, &a.stZiel, aErg, &iRpmAnz, &iWert) != 2) return false;
    SC_ANTWORT_LESEN(QX04_MSG_ACK, iLen, iWert, aErg, iRpmAnz, stAntwort, ucFrame);
    return true;
}

SC_SCAN_Struct *SC_DATAGRAMM_ZUORDNEN(SC_SCAN_Struct *const *apScan, int iAnz, int iLen, const IP_PORT *stVon,
                                      SC_TA_EREIGNIS_Struct *pEreignis) {
    static QX04_BN_RPMERG aErg[QX04_RPM_MAX];
    // The guard first: nothing may read a frame whose length field exceeds what arrived.
    const bool bGueltig = QX04_BN_RXCHK(QX04_RECV_Buf, iLen) == 0;
    SC_SCAN_Struct *s = nullptr, *pKopie = nullptr;
    int iRpmAnz = 0, iWert = 0;
    bool bSegment = false;
    for (int i = 0; bGueltig && i < iAnz; i++) {
        SC_SCAN_Struct *k = apScan[i];
        if (k->stAnf.iLen <= 0) continue; // nothing sent yet
        const int m =
            QX04_BN_PASST(QX04_RECV_Buf, stVon, k->stAnf.ucFrame, &k->stAnf.stZiel, aErg, &iRpmAnz, &iWert);
        // A segment counts only for a request that takes segments; for another it is a stray answer.
        bSegment = m == QX04_PASST_SEGMENT && k->stAnf.bSegAn;
        if ((m == 2 || bSegment) && k->stAnf.iWarten == SC_WARTET) {
            s = k;
            break;
        }
        bSegment = false;
        if (m > 0 && pKopie == nullptr) pKopie = k;
    }
    // One scan state is traced for every datagram; of several, the one answered.
    const SC_SCAN_Struct *t = s != nullptr ? s : iAnz == 1 ? apScan[0] : nullptr;
    SC_EMPF_TRC(iLen, stVon, bGueltig, t != nullptr ? t->stGang.iObjIdx : -1,
                t != nullptr ? t->stGang.PROP_Modus : -1);

    // The message check knows one outstanding invoke id: the matched one, else the one drawn last.
    ucQX04_InvokeId = s != nullptr ? s->stAnf.ucInvoke : ucSC_Gezogen;
    const int iErg = bGueltig ? QX04_BN_MSGCHK(stVon, QX04_RECV_Buf) : QX04_MSG_ANDERE;
    if (UT_TRC_IN())
        UT_TRC("\n\n", cRoutine, "Nach MSGCHK   iier : %d  PORT_Hilf >%s<", iErg, IP_PORT2A(stVon));

    if (s == nullptr) {
        if (pKopie != nullptr) KOPIE(pKopie);
        return nullptr;
    }
    SC_TRANSAKTION_Struct &a = s->stAnf;
    SC_ANTWORT_Struct stAntwort;
    if (bSegment) {
        if (!SEGMENT(a, stVon, &stAntwort)) return nullptr;
    } else {
        SC_ANTWORT_LESEN(iErg, iLen, iWert, aErg, iRpmAnz, &stAntwort);
    }
    a.bGeantwortet = true;
    // A ReadProperty answered by an Error without a code stays unanswered: its timer repeats it. An Abort
    // refuses the property, at once when a repetition cannot change it, else when the last try is aborted
    // too. Whatever answers a ReadPropertyMultiple is taken: it tells how the device takes the service.
    if (a.iDienst == SC_DIENST_RP && stAntwort.iArt == SC_ANT_UNKLAR) return nullptr;
    if (a.iDienst == SC_DIENST_RP && stAntwort.iArt == SC_ANT_ABBRUCH) {
        if (!ENDGUELTIG(stAntwort.iCode) && a.iVersuch < iSC_Wiederhol) return nullptr;
        stAntwort.iErg = SC_MSG_ABBRUCH - stAntwort.iCode;
    }
    if (iAnz > 1 && (TEST_T_I || TEST_T_I1))
        UT_TRC("\n", cRoutine, "Antwort f\x81r Device %lu   Invoke : %u   iier : %d",
               (unsigned long)s->stGang.stObj.ulDev, a.ucInvoke, iErg);
    const std::uint32_t ulJetzt = UT_MSEK();
    const SC_TA_EREIGNIS_Struct e = {s, SC_E_BEANTWORTET, ulJetzt - a.ulVersuchMs,
                                     0, a.iVersuch,       a.iSendungen == 1};
    SC_RTO_MESSUNG(a.iDienst == SC_DIENST_RP ? &a.stRto : &a.stRtoRpm, e.ulMs, e.iVersuch, e.bSauber);
    // Its tries whose timer ran out were late, not unanswered: one of them is answered now.
    if (a.iStilleHier > 0) {
        a.ulStille -= std::min(a.ulStille, static_cast<std::uint32_t>(a.iStilleHier));
        a.ulSpaet++;
        a.iStilleHier = 0;
    }
    SC_TA_MELDEN(s, SC_EV_ANTWORT, e.ulMs);
    const unsigned char ucInvoke = a.ucInvoke;
    a.iWarten = SC_ERLEDIGT;
    a.bAufgegeben = false;
    SC_ANTWORT(s, &stAntwort);
    a.iWarten = SC_BEREIT;
    // An aborted batch is followed by a smaller one, which the scan waits for as for any request.
    if (stAntwort.iArt == SC_ANT_ABBRUCH && a.iDienst != SC_DIENST_RP) SC_FRIST_NEU(&a);
    const std::uint32_t ulDanach = UT_MSEK(); // a copy's lateness counts from the answer's handling on
    a.aulAntwortMs[ucInvoke] = ulDanach != 0 ? ulDanach : 1;
    if (pEreignis != nullptr) *pEreignis = e;
    return s;
}
