// One received datagram of a scan pass, for the sequential scan's one state or the parallel scan's places:
// the receive guard, the message check (which learns routes and answers what is asked of the scanner), and
// the matching rule, by which only the answer to a state's outstanding request moves that state on.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

static const char cRoutine[] = "SC_LOOP";

// A second answer from the device of stScan (a duplicate, or the answer to an earlier try): how late it came
// after the first answer with its invoke id decides how long the id rests before it is used again.
static void KOPIE(SC_SCAN_Struct *stScan) {
    const int a = QX04_BN_POSAPDU(QX04_RECV_Buf); // a matched answer has its invoke id inside the frame
    const unsigned char ucInvoke = QX04_RECV_Buf[a + 1];
    const std::uint32_t ulErst = stScan->aulAntwortMs[ucInvoke];
    if (ulErst == 0) return;
    std::uint32_t ulSpaet = UT_MSEK() - ulErst;
    if (ulSpaet == 0) ulSpaet = 1;
    if (ulSpaet > stScan->ulKopieMs) stScan->ulKopieMs = ulSpaet;
    if (TEST_T_I || TEST_T_I1)
        UT_TRC("\n", cRoutine, "Zweite Antwort von Device %lu   Invoke : %u   nach %lu ms",
               (unsigned long)stScan->stObj.ulDev, ucInvoke, (unsigned long)ulSpaet);
}

SC_SCAN_Struct *SC_DATEN(SC_SCAN_Struct *const *apScan, int iAnz, int iLen, const IP_PORT *stVon) {
    // The guard first: nothing may read a frame whose length field exceeds what arrived.
    const bool bGueltig = QX04_BN_RXCHK(QX04_RECV_Buf, iLen) == 0;
    SC_SCAN_Struct *s = nullptr, *pKopie = nullptr;
    for (int i = 0; bGueltig && i < iAnz; i++) {
        SC_SCAN_Struct *k = apScan[i];
        if (k->iAnfrageLen <= 0) continue; // nothing sent yet
        const int m = QX04_BN_PASST(QX04_RECV_Buf, stVon, k->ucAnfrage, &k->stZiel);
        if (m == 2 && k->iWarten == SC_WARTET) {
            s = k;
            break;
        }
        if (m > 0 && pKopie == nullptr) pKopie = k;
    }
    // The sequential scan traces its one state for every datagram, the parallel scan the place answered.
    const SC_SCAN_Struct *t = s != nullptr ? s : iSC_Parallel <= 1 && iAnz > 0 ? apScan[0] : nullptr;
    SC_EMPF_TRC(iLen, stVon, bGueltig, t != nullptr ? t->iObjIdx : -1, t != nullptr ? t->PROP_Modus : -1);

    // The message check knows one outstanding invoke id: for the moment of the check it is the matched one.
    const unsigned char ucGezogen = ucQX04_InvokeId;
    if (s != nullptr) ucQX04_InvokeId = s->ucInvoke;
    const int iErg = bGueltig ? QX04_BN_MSGCHK(stVon, QX04_RECV_Buf) : -1;
    ucQX04_InvokeId = ucGezogen;
    if (UT_TRC_IN())
        UT_TRC("\n\n", cRoutine, "Nach MSGCHK   iier : %d  PORT_Hilf >%s<", iErg, IP_PORT2A(stVon));

    if (s == nullptr) {
        if (pKopie != nullptr) KOPIE(pKopie);
        return nullptr;
    }
    if (iSC_Parallel > 1 && (TEST_T_I || TEST_T_I1))
        UT_TRC("\n", cRoutine, "Antwort f\x81r Device %lu   Invoke : %u   iier : %d",
               (unsigned long)s->stObj.ulDev, s->ucInvoke, iErg);
    const unsigned char ucInvoke = s->ucInvoke;
    SC_ANTWORT(s, iErg);
    if (s->iWarten == SC_WARTET) return nullptr; // an Abort, or an Error without a code: still unanswered
    SC_RTO_MESSUNG(&s->stRto, s->ulVersuchMs, s->iVersuch);
    if (s->iObjIdx < 0) SC_RTO_TRC(&s->stRto, s->stObj.ulDev); // the end of its object list ended the device
    std::uint32_t ulJetzt = UT_MSEK();
    s->aulAntwortMs[ucInvoke] = ulJetzt != 0 ? ulJetzt : 1;
    return s;
}
