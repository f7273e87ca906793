// Finds the attribute code whose catalogue state texts agree with the object's state texts, slot by slot,
// or for two-state objects crosswise, which marks the point as inverted.
#include <cstring>
#include "runtime/ut/ut.h"
#include "scanner/reffile/sc_ref.h"

static const char cRoutine[] = "SC_LOOP";

// One text contains the other (an empty text is contained in every text).
static bool SC_ENTHALTEN(const char *a, const char *b) {
    return std::strstr(a, b) != nullptr || std::strstr(b, a) != nullptr;
}

int SC_STATE_MATCH(SC_OBJ_Struct *stObj, unsigned *uPolar) {
    for (int j = 0; j < SC_ANZ_STATE && stObj->cState[j][0] != '\0'; j++) {
        SC_NORM_TEXT(stObj->cState[j]);
        if (TEST_T_X) UT_TRC("\n\n", cRoutine, "Norm. OBJ-Text [%d] : >%s<", j, stObj->cState[j]);
    }
    int iAnz = stObj->NoState < SC_ANZ_STATE ? stObj->NoState : SC_ANZ_STATE;
    for (int k = 0; k < 256; k++) {
        int iHits = 0;
        bool bRaus = false;
        for (int j = 0; j < iAnz && !bRaus; j++) {
            unsigned char ucMaske = j == 0 ? 0 : static_cast<unsigned char>(1u << (j - 1));
            char *cT = UT_DP_ATBTEXT(static_cast<unsigned char>(k), ucMaske);
            SC_NORM_TEXT(cT);
            const char *cS = stObj->cState[j];
            if (TEST_T_X) UT_TRC("\n\n", cRoutine, "OBJ/ATB-Text [%d,%d] : >%s< == >%s< ???", k, j, cS, cT);
            if (SC_ENTHALTEN(cS, cT)) {
                iHits++;
            } else if (stObj->NoState == 2 && j == 0) {
                bRaus = !SC_ENTHALTEN(stObj->cState[1], cT);
            } else if (stObj->NoState == 2 && j == 1) {
                bRaus = !SC_ENTHALTEN(stObj->cState[0], cT) || iHits != 0;
                if (!bRaus) *uPolar = *uPolar == 0 ? 1 : 0;
            } else if (j >= 2) {
                bRaus = true;
            }
        }
        if (!bRaus && (iHits == 0 || iHits == stObj->NoState)) return k;
    }
    return -1;
}
