// A refusal for a step, as the report names it: the object, its line, the property, the answer (an Error's
// class and code, a Reject's or an Abort's reason) and what it did to the line. The end of the object list is
// no problem: only a refusal inside a list of known length, or of the list itself, is. Nor is a refusal the
// object type explains and that leaves the line as it is: Polarity refused, however, by a type that has none
// (the flag stays 0, as for any such type). Only a data point has a line: the device object's name, which the
// EDE files ask, has none.
#include <algorithm>
#include <array>
#include "bacnet/bn.h"
#include "scanner/reffile/sc_ref.h"
#include "scanner/report/sc_bericht_intern.h"

// What the refusal at the step does to the line.
static const char *WIRKUNG(const SC_EREIGNIS_Struct *e, bool bPunkt) {
    if (!bPunkt && e->iSchritt == 1) return "device-name-empty";
    switch (e->iSchritt) {
    case 0:
        return "object-list-ended";
    case 1:
        return "default-id";
    case 2:
        return "text-is-id";
    case 3:
        return e->usProp == QX04_PROP_UNITS ? "attribute-code-0" : "polarity-0";
    default:
        return "states-cut";
    }
}

// Object types that have a Polarity property.
static constexpr std::array<std::uint32_t, 2> aulPOLARITAET = {QX04_OBJ_BINARY_INPUT, QX04_OBJ_BINARY_OUTPUT};

// A refusal the object type explains, which leaves the line as it would be otherwise.
static bool ERKLAERT(const SC_EREIGNIS_Struct *e) {
    const std::uint32_t ulTyp = QX04_BN_OBJTYPE(e->ulObjId);
    return e->usProp == QX04_PROP_POLARITY &&
           std::find(aulPOLARITAET.begin(), aulPOLARITAET.end(), ulTyp) == aulPOLARITAET.end();
}

void SC_BERICHT_ABWEIS(const SC_EREIGNIS_Struct *e) {
    const SC_EV_WERT_Struct &w = e->stWert;
    if (w.iAntwort < SC_AW_FEHLER || e->iSchritt < 0 || e->iSchritt > 4 || ERKLAERT(e)) return;
    SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(e->uDev);
    if (e->iSchritt == 0 && e->iIndex > 0 && (d.lListeLen < 0 || e->iIndex > d.lListeLen)) return;
    const bool bPunkt = e->iSchritt > 0 && SC_OBJTYP(QX04_BN_OBJTYPE(e->ulObjId), nullptr) != 0;
    d.vProbleme.push_back({e->ulObjId, -1, bPunkt ? static_cast<long>(d.ulPunkte) : -1, e->usProp, w.iAntwort,
                           w.iKlasse, w.iCode, WIRKUNG(e, bPunkt), e->cId != nullptr ? e->cId : ""});
}
