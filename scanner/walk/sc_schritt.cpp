// Takes the next scan step of the object in progress: the property the request table gives for it, and the
// state slot and count that step moves to. The step is taken here, whether its answer is then asked for or
// already at hand.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/walk/sc_scan.h"

static const char cRoutine[] = "SC_LOOP"; // the trace names the scan loop, whose step this is

std::uint16_t SC_SCHRITT(SC_GANG_Struct *stGang, int *iArrIdx) {
    SC_OBJ_Struct *o = &stGang->stObj;
    const std::uint16_t usProp = SC_FRAGE(stGang, iArrIdx);
    const SC_FRAGE_Struct *f = SC_FRAGE_ZEILE(stGang);
    stGang->PROP_Modus++;
    if (TEST_T_O || TEST_T_O1) {
        const unsigned uTyp = QX04_BN_OBJTYPE(o->ulObjId);
        UT_TRC("\n\n", cRoutine, "Vor PROP_Modus %d   Index : %d   NoState: %d", stGang->PROP_Modus,
               stGang->iStateSlot, o->NoState);
        UT_TRC_CONT("\n   DP_Type : %u   OBJ_Type : %u", o->uDP_Type, uTyp);
    }
    if (f != nullptr && f->cZustaende >= 0) o->NoState = stGang->iZustaende = f->cZustaende;
    if (f != nullptr && f->cSlot == SC_SLOT_WEITER) stGang->iStateSlot++;
    if (f != nullptr && f->cSlot >= 0) stGang->iStateSlot = f->cSlot;
    stGang->usPropId = usProp;
    stGang->pFrage = f;
    return usProp;
}
