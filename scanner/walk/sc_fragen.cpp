// The request table: what the scan asks of a data point at each step, by its group. The ReadProperty steps
// take one row at a time; ReadPropertyMultiple asks a data point's rows at once. Rows for observers that want
// every text are held only when one is registered (the EDE files), chosen at set-up.
#include <algorithm>
#include <array>
#include "bacnet/bn.h"
#include "scanner/walk/sc_scan.h"

constexpr unsigned char SC_GR_ALLE = SC_GR_ANALOG | SC_GR_ZWEI | SC_GR_MEHR;

static constexpr std::array<SC_FRAGE_Struct, 10> stFragen{{
    {SC_GR_ALLE, 1, false, QX04_PROP_OBJECT_NAME, SC_W_TEXT, SC_SLOT_BLEIBT, -1},
    {SC_GR_ALLE, 2, false, QX04_PROP_DESCRIPTION, SC_W_TEXT, SC_SLOT_BLEIBT, -1},
    {SC_GR_ANALOG, 3, false, QX04_PROP_UNITS, SC_W_ZAHL, SC_SLOT_BLEIBT, -1},
    // polarity: binary inputs and outputs have it; binary values and multi-state objects do not
    {SC_GR_ZWEI | SC_GR_MEHR, 3, false, QX04_PROP_POLARITY, SC_W_ZAHL, SC_SLOT_BLEIBT, -1, 0, false, false,
     SC_TYP(QX04_OBJ_BINARY_INPUT) | SC_TYP(QX04_OBJ_BINARY_OUTPUT)},
    // two-state: inactive text into slot 0, then active text into slot 1; two states
    {SC_GR_ZWEI, 4, true, QX04_PROP_INACTIVE_TEXT, SC_W_TEXT, 0, 2},
    {SC_GR_ZWEI, 4, false, QX04_PROP_ACTIVE_TEXT, SC_W_TEXT, 1, 2},
    // multi-state: the number of states, then one state text per request, slot after slot
    {SC_GR_MEHR, 4, true, QX04_PROP_NUMBER_OF_STATES, SC_W_ZAHL, SC_SLOT_BLEIBT, -1},
    {SC_GR_MEHR, 4, false, QX04_PROP_STATE_TEXT, SC_W_FELD, SC_SLOT_WEITER, -1, SC_ANZ_STATE},
    // for an observer that wants every text: the state texts past the ninth, and the device object's name
    {SC_GR_MEHR, 4, false, QX04_PROP_STATE_TEXT, SC_W_FELD, SC_SLOT_WEITER, -1, SC_ZUST_ALLE, true},
    {SC_GR_GERAET, 1, false, QX04_PROP_OBJECT_NAME, SC_W_TEXT, SC_SLOT_BLEIBT, -1, 0, true, true},
}};

static bool bSC_Ganz = false; // the rows for observers that want every text are held

void SC_FRAGEN_GANZ(bool bGanz) {
    bSC_Ganz = bGanz;
}

// Whether the table holds the row now.
static bool GILT(const SC_FRAGE_Struct &f) {
    return bSC_Ganz || !f.bGanz;
}

int SC_FRAGEN_ZUSTAENDE() {
    int n = 0;
    for (const SC_FRAGE_Struct &f : stFragen)
        if (GILT(f) && f.cSlot == SC_SLOT_WEITER) n = std::max(n, f.iSlotBis);
    return n;
}

unsigned char SC_GRUPPE(std::uint32_t ulObjId, unsigned uDP_Type) {
    if (uDP_Type == 0) return SC_GR_GERAET;
    if (uDP_Type >= 3) return SC_GR_ANALOG;
    return QX04_BN_OBJTYPE(ulObjId) <= QX04_OBJ_BINARY_VALUE ? SC_GR_ZWEI : SC_GR_MEHR;
}

int SC_FRAGEN(std::uint32_t ulObjId, std::uint32_t ulDev, const SC_FRAGE_Struct **apFrage) {
    const unsigned uTyp = SC_OBJTYP(QX04_BN_OBJTYPE(ulObjId), nullptr);
    if (uTyp == 0 && ulObjId != QX04_BN_OBJID(QX04_OBJ_DEVICE, ulDev)) return 0; // of no data point
    const unsigned char ucGruppe = SC_GRUPPE(ulObjId, uTyp);
    int n = 0;
    for (const SC_FRAGE_Struct &f : stFragen)
        if (GILT(f) && (f.ucGruppen & ucGruppe) != 0 && n < SC_FRAGEN_MAX && !SC_FRAGE_FEHLT(&f, ulObjId) &&
            (n == 0 || apFrage[n - 1]->usProp != f.usProp)) // a state-text array is asked once, whole
            apFrage[n++] = &f;
    return n;
}

unsigned char SC_WERTART(std::uint32_t ulProp) {
    for (const SC_FRAGE_Struct &f : stFragen)
        if (f.usProp == ulProp) return f.ucWert;
    return 0;
}

// The row the next step of the object in progress takes (nullptr past step 4, or past the slots asked).
const SC_FRAGE_Struct *SC_FRAGE_ZEILE(const SC_GANG_Struct *stGang) {
    const SC_OBJ_Struct &o = stGang->stObj;
    const unsigned char ucGruppe = SC_GRUPPE(o.ulObjId, o.uDP_Type);
    const bool bErst = stGang->iStateSlot < 0 && o.NoState < 0;
    for (const SC_FRAGE_Struct &f : stFragen)
        if (GILT(f) && (f.ucGruppen & ucGruppe) != 0 && f.cSchritt == stGang->PROP_Modus + 1 &&
            (bErst || !f.bErst) && (f.cSlot != SC_SLOT_WEITER || stGang->iStateSlot + 1 < f.iSlotBis))
            return &f;
    return nullptr;
}
