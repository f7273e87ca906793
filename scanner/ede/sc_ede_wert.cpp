// A value or refusal for a step, kept for the EDE files whole, as the device sent it (the reference file cuts
// it): the name and description, the units, the device's number of states and every state text. A refused
// property leaves its field empty. The device object's name is the device's own.
#include <algorithm>
#include "bacnet/bn.h"
#include "scanner/ede/sc_ede_intern.h"

// The text of the value into *s, when it is one.
static void TEXT(const SC_EV_WERT_Struct &w, std::string *s) {
    if (w.iAntwort == SC_AW_WERT && w.ucText != nullptr) *s = SC_EDE_UTF8(w.ucText, w.ulTextLen, w.ucSatz);
}

void SC_EDE_WERT(const SC_EREIGNIS_Struct *e) {
    SC_EDE_GERAET_Struct &d = SC_EDE_GERAET(e->uDev);
    SC_EDE_PUNKT_Struct &p = d.stPunkt;
    const SC_EV_WERT_Struct &w = e->stWert;
    const bool bDa = w.iAntwort == SC_AW_WERT;
    int iSlot = e->iIndex - 1; // a state text's slot: index 0 of the array is its size
    switch (e->usProp) {
    case QX04_PROP_OBJECT_NAME: // the first step of every data point
        if (QX04_BN_OBJTYPE(e->ulObjId) == QX04_OBJ_DEVICE) return TEXT(w, &d.sName);
        p = SC_EDE_PUNKT_Struct{};
        return TEXT(w, &p.sName);
    case QX04_PROP_DESCRIPTION:
        return TEXT(w, &p.sBeschr);
    case QX04_PROP_UNITS:
        if (bDa) p.lEinheit = e->lZahl;
        return;
    case QX04_PROP_NUMBER_OF_STATES:
        if (bDa)
            p.iZustaende = static_cast<int>(std::clamp(e->lZahl, -1L, static_cast<long>(SC_EDE_ZUST_MAX)));
        return;
    case QX04_PROP_INACTIVE_TEXT:
    case QX04_PROP_ACTIVE_TEXT:
        iSlot = e->usProp == QX04_PROP_ACTIVE_TEXT ? 1 : 0;
        [[fallthrough]];
    case QX04_PROP_STATE_TEXT:
        if (iSlot < 0 || iSlot >= SC_EDE_ZUST_MAX) return;
        if (static_cast<std::size_t>(iSlot) >= p.vTexte.size()) p.vTexte.resize(iSlot + 1);
        return TEXT(w, &p.vTexte[static_cast<std::size_t>(iSlot)]);
    default:
        return;
    }
}
