// The next scan step of the object in progress and the property it asks for; for a state text also the
// array index. The step is taken here, whether its answer is then asked for or already at hand.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

static const char cRoutine[] = "SC_LOOP";

// Property of the step; sets the array index for a state text.
static std::uint16_t SC_PROPERTY(SC_SCAN_Struct *stScan, int *iArrIdx) {
    SC_OBJ_Struct *o = &stScan->stObj;
    switch (stScan->PROP_Modus) {
    case 1:
        return 77; // object-name
    case 2:
        return 28; // description
    case 3:
        return o->uDP_Type >= 3 ? 117 : 84; // units, polarity
    default:
        break;
    }
    if ((o->ulObjId >> 22) <= 5) { // two-state: inactive text, then active text
        o->NoState = 2;
        if (stScan->Index < 0) {
            stScan->Index = 0;
            return 46;
        }
        stScan->Index = 1;
        return 4;
    }
    if (stScan->Index < 0 && o->NoState < 0) return 74; // number-of-states
    // State text of slot j lies at array index j + 1: index 0 of a BACnet array is its size.
    stScan->Index++;
    *iArrIdx = stScan->Index + 1;
    return 110;
}

std::uint16_t SC_SCHRITT(SC_SCAN_Struct *stScan, int *iArrIdx) {
    SC_OBJ_Struct *o = &stScan->stObj;
    stScan->PROP_Modus++;
    if (TEST_T_O || TEST_T_O1) {
        UT_TRC("\n\n", cRoutine, "Vor PROP_Modus %d   Index : %d   NoState: %d", stScan->PROP_Modus,
               stScan->Index, o->NoState);
        UT_TRC_CONT("\n   DP_Type : %u   OBJ_Type : %u", o->uDP_Type, (unsigned)(o->ulObjId >> 22));
    }
    *iArrIdx = -1;
    stScan->usPropId = SC_PROPERTY(stScan, iArrIdx);
    return stScan->usPropId;
}
