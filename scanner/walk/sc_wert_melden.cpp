// The answer to the step in progress, decoded once for the observers: the value (its number and, for a
// character string, its bytes whole) or the refusal (an Error's class and code, a Reject's or an Abort's
// reason). Nothing is decoded while nobody observes, so a plain scan reads the frame as it always did.
#include "bacnet/bn.h"
#include "scanner/walk/sc_scan.h"

constexpr int SC_ERG_FEHLER = -1000, SC_ERG_REJECT = -2000; // the message check's refusal codes

// A refusal's kind and reasons. A value of a ReadPropertyMultiple is refused by an Error whose class the
// answer does not hand on.
static void ABWEIS(int iErg, const SC_WERT_Struct *w, SC_EV_WERT_Struct *v) {
    const int iPdu = w->iQuelle == SC_Q_RP ? QX04_BN_PDUTYP(QX04_RECV_Buf) : QX04_PDU_ERROR;
    v->iAntwort = iPdu == QX04_PDU_ERROR    ? SC_AW_FEHLER
                  : iPdu == QX04_PDU_REJECT ? SC_AW_REJECT
                  : iPdu == QX04_PDU_ABORT  ? SC_AW_ABORT
                                            : SC_AW_KEINE;
    v->iCode = v->iAntwort == SC_AW_REJECT  ? SC_ERG_REJECT - iErg
               : v->iAntwort == SC_AW_ABORT ? SC_ERG_ABBRUCH - iErg
                                            : SC_ERG_FEHLER - iErg;
    if (iPdu == QX04_PDU_ERROR && w->iQuelle == SC_Q_RP) v->iKlasse = QX04_BN_FEHLERKLASSE(QX04_RECV_Buf);
}

void SC_WERT_MELDEN(const SC_SCAN_Struct *stScan, int iErg, const SC_WERT_Struct *w) {
    if (!SC_BEOBACHTET()) return;
    const SC_GANG_Struct &g = stScan->stGang;
    SC_EREIGNIS_Struct e = SC_GANG_EREIGNIS(SC_EV_WERT, &g);
    e.iIndex = g.PROP_Modus == 0                                          ? g.iObjIdx
               : g.pFrage != nullptr && g.pFrage->cSlot == SC_SLOT_WEITER ? g.iStateSlot + 1
                                                                          : -1;
    SC_EV_WERT_Struct &v = e.stWert;
    v.iKlasse = -1;
    v.iTag = -1;
    if (iErg == 3) {
        v.iAntwort = SC_AW_WERT;
        v.iTag = SC_WERT(w, g.usPropId, &v.ulWert);
        if (v.iTag >= 0) e.lZahl = SC_GANZZAHL(v.iTag, v.ulWert);
        SC_WERT_TEXT(w, g.usPropId, &v.ucText, &v.ulTextLen, &v.ucSatz);
    } else if (iErg <= SC_ERG_FEHLER) {
        ABWEIS(iErg, w, &v);
    }
    SC_MELDEN(&e);
}
