// The answer to the step in progress, told to the observers as the exchange decoded it once: the value (its
// number and, for a character string, its bytes whole) or the refusal (an Error's class and code, a Reject's
// or an Abort's reason).
#include "bacnet/bn.h"
#include "scanner/event/sc_ereignis.h"
#include "scanner/walk/sc_scan.h"

// A refusal's kind and reasons, as the exchange decoded them.
static void ABWEIS(const SC_WERT_Struct *w, SC_EV_WERT_Struct *v) {
    v->iAntwort = w->iPdu == QX04_PDU_ERROR    ? SC_AW_FEHLER
                  : w->iPdu == QX04_PDU_REJECT ? SC_AW_REJECT
                  : w->iPdu == QX04_PDU_ABORT  ? SC_AW_ABORT
                                               : SC_AW_KEINE;
    v->iCode = w->iCode;
    v->iKlasse = w->iPdu == QX04_PDU_ERROR ? w->iKlasse : -1;
}

void SC_WERT_MELDEN(const SC_SCAN_Struct *stScan, int iErg, const SC_WERT_Struct *w) {
    if (!SC_BEOBACHTET()) return;
    const SC_GANG_Struct &g = stScan->stGang;
    SC_EREIGNIS_Struct e{};
    e.iArt = SC_EV_WERT;
    e.uDev = g.uDevIdx;
    e.ulDev = g.stObj.ulDev;
    e.ulObjId = g.stObj.ulObjId;
    e.usProp = g.usPropId;
    e.iSchritt = g.PROP_Modus;
    e.iIndex = g.PROP_Modus == 0                                          ? g.iObjIdx
               : g.pFrage != nullptr && g.pFrage->cSlot == SC_SLOT_WEITER ? g.iStateSlot + 1
                                                                          : -1;
    e.cId = g.stObj.cDpId;
    e.lZahl = -1;
    SC_EV_WERT_Struct &v = e.stWert;
    v.iKlasse = -1;
    v.iTag = -1;
    if (iErg == QX04_MSG_ACK) {
        v.iAntwort = SC_AW_WERT;
        v.iTag = SC_WERT(w, &v.ulWert);
        if (v.iTag >= 0) e.lZahl = SC_GANZZAHL(v.iTag, v.ulWert);
        v.ucText = w->stWert.ucText;
        v.ulTextLen = static_cast<std::uint32_t>(w->stWert.iTextLen);
        v.ucSatz = w->stWert.ucSatz;
    } else if (SC_ABGELEHNT(iErg)) {
        ABWEIS(w, &v);
    }
    SC_MELDEN(&e);
}
