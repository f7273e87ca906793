// What the map takes from a received datagram: a BBMD's table, the frame a BBMD forwarded (its sender is a
// BBMD), a router's network-layer answer (its networks, its table, the own network's number, its refusal to
// route somewhere), and an I-Am, counted for the range the discovery asked its network for.
#include <algorithm>
#include "runtime/ut/ut.h"
#include "scanner/netmap/sc_karte_daten.h"

namespace {

void NETZMELDUNG(const IP_PORT &stVon, const QX04_NL_MSG &m) {
    SC_FAKT_Struct f;
    f.stVon = stVon;
    f.pNl = &m;
    switch (m.ucTyp) {
    case QX04_NL_I_AM_ROUTER:
        f.iArt = SC_FAKT_ROUTER;
        break;
    case QX04_NL_INIT_RT_ACK:
        f.iArt = SC_FAKT_TABELLE;
        break;
    case QX04_NL_NETNR_IS:
        if (m.usSnet != 0) return; // the number of another network, said by a router there
        f.iArt = SC_FAKT_NETZNUMMER, f.usNetz = m.ausNetz[0], f.iWert = m.ucWert;
        break;
    case QX04_NL_REJECT:
        for (SC_KSUCHE_Struct &s : stSC_Karte.vSuche)
            if (m.ucWert == QX04_NL_REJ_KEIN_ROUTER && s.usNetz == m.ausNetz[0] &&
                SC_KARTE_GLEICH(s.stRouter, stVon))
                s.bAbgewiesen = true;
        return;
    default:
        return;
    }
    SC_KARTE_MELDEN(&f);
}

// An I-Am: its device onto the map, so that the network it names is learnt; from behind a router it counts
// for the range asked of that network through that router.
void IAM(const IP_PORT &stVon, const unsigned char *ucFrame) {
    const unsigned uLen = QX04_BN_BVLCLEN(ucFrame);
    const int a = QX04_BN_POSAPDU(ucFrame);
    SC_FAKT_Struct f;
    const unsigned char *ucSadr = nullptr;
    if (a <= 0 || static_cast<unsigned>(a) + 7 > uLen || ucFrame[a] != 0x10 || ucFrame[a + 1] != 0x00 ||
        ucFrame[a + 2] != 0xC4 || !QX04_BN_QUELLE(ucFrame, &f.usNetz, &f.ucMacLen, &ucSadr) ||
        f.ucMacLen > QX04_SADR_MAX)
        return;
    const std::uint32_t ulInst = QX04_BN_OBJINSTANCE(QX04_BN_BNL2L(ucFrame + a + 3));
    if (ulInst < ulQX04_DevMin || ulInst > ulQX04_DevMax) return; // -D: neither learnt nor scanned
    f.iArt = SC_FAKT_GERAET, f.ulInst = ulInst, f.stVon = stVon;
    std::copy(ucSadr, ucSadr + f.ucMacLen, f.aucMac);
    SC_KARTE_MELDEN(&f);
    const std::uint16_t usNetz = f.usNetz;
    if (usNetz == 0) return;
    const std::uint32_t ulJetzt = UT_MSEK();
    for (SC_KSUCHE_Struct &s : stSC_Karte.vSuche) {
        if (s.usNetz != usNetz || !SC_KARTE_GLEICH(s.stRouter, stVon)) continue;
        s.sGehoert.insert(ulInst);
        if (!s.bFlug || ulInst < s.stFlug.ulVon || ulInst > s.stFlug.ulBis) continue;
        const std::uint32_t ulMs = ulJetzt - s.ulGesendetMs;
        if (s.iAntworten++ == 0 && (s.ulBasisMs == 0 || ulMs < s.ulBasisMs))
            s.ulBasisMs = ulMs > 0 ? ulMs : 1;
    }
}

} // namespace

bool SC_KARTE_EMPFANG(const IP_PORT *stVon, const unsigned char *ucFrame, int iLen) {
    // The receive guard's condition, without its log entry: the message check that follows logs it.
    if (iLen < 4 || QX04_BN_BVLCLEN(ucFrame) < 4 || QX04_BN_BVLCLEN(ucFrame) > static_cast<unsigned>(iLen))
        return false;
    static QX04_BVLL_TAB stTab; // large: kept out of the stack
    if (QX04_BN_BVLL_TABELLE(ucFrame, iLen, &stTab) == 0) {
        SC_FAKT_Struct f;
        f.iArt = SC_FAKT_BVLL, f.stVon = *stVon, f.pTab = &stTab;
        SC_KARTE_MELDEN(&f);
        return true;
    }
    const IP_PORT stAbs = QX04_BN_ABSENDER(stVon, ucFrame);
    if (ucFrame[1] == QX04_BVLC_FORWARDED) {
        SC_FAKT_Struct f;
        f.iArt = SC_FAKT_BBMD, f.stVon = *stVon, f.iWert = 1;
        SC_KARTE_MELDEN(&f);
    }
    static QX04_NL_MSG stNl;
    if (QX04_BN_NL_LESEN(ucFrame, iLen, &stNl) == 0)
        NETZMELDUNG(stAbs, stNl);
    else
        IAM(stAbs, ucFrame);
    return false;
}
