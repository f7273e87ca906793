// A refusal for the step in progress, as the report names it: the object, its line, the property, the
// answer (an Error's class and code, a Reject's or an Abort's reason) and what it did to the line. The end of
// the object list is no problem: only a refusal inside a list of known length, or of the list itself, is.
#include "bacnet/bn.h"
#include "scanner/report/sc_bericht.h"
#include "scanner/walk/sc_scan.h"

constexpr int SC_REJECT_ERG = -2000;

// What the refusal at the step does to the line.
static const char *WIRKUNG(const SC_GANG_Struct &g) {
    if (g.stObj.uDP_Type == 0 && g.PROP_Modus == 1) return "device-name-empty"; // -X asks it
    switch (g.PROP_Modus) {
    case 0:
        return "object-list-ended";
    case 1:
        return "default-id";
    case 2:
        return "text-is-id";
    case 3:
        return g.stObj.uDP_Type >= 3 ? "attribute-code-0" : "polarity-0";
    default:
        return "states-cut";
    }
}

void SC_BERICHT_ABWEIS(const SC_SCAN_Struct *stScan, int iErg, const SC_WERT_Struct *stWert) {
    if (!stSC_Bericht.bAn) return;
    const SC_GANG_Struct &g = stScan->stGang;
    SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(g.uDevIdx);
    if (g.PROP_Modus == 0 && g.iObjIdx > 0 && (d.lListeLen < 0 || g.iObjIdx > d.lListeLen)) return;
    SC_PROBLEM_Struct p = {g.stObj.ulObjId,
                           g.PROP_Modus == 0 ? -1 : static_cast<long>(g.uZeile),
                           stScan->pHalten != nullptr,
                           g.usPropId,
                           QX04_PDU_ERROR,
                           -1,
                           -1000 - iErg,
                           WIRKUNG(g),
                           g.stObj.cDpId};
    // The ReadProperty answer is still in the receive buffer; a value of a ReadPropertyMultiple is an Error.
    if (stWert->iQuelle == SC_Q_RP) p.iPdu = QX04_BN_PDUTYP(QX04_RECV_Buf);
    if (p.iPdu == QX04_PDU_ERROR && stWert->iQuelle == SC_Q_RP)
        p.iKlasse = QX04_BN_FEHLERKLASSE(QX04_RECV_Buf);
    if (p.iPdu == QX04_PDU_REJECT) p.iCode = SC_REJECT_ERG - iErg;
    if (p.iPdu == QX04_PDU_ABORT) p.iCode = SC_MSG_ABBRUCH - iErg;
    d.vProbleme.push_back(p);
}
