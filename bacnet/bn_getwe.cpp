// Numeric value (or object identifier) of the ReadProperty acknowledgement in a received frame.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_GETWERT";

int QX04_BN_GETWERT(const unsigned char *ucFrame, std::uint16_t usPropId, std::uint32_t *ulWert) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf  Prop-Id.: %u", usPropId);
    *ulWert = ulUT_fUNDEF;
    int ier = -1;
    const int p = QX04_BN_POSWERT(ucFrame, usPropId);
    if (p > 0) {
        const unsigned char *ucTag = ucFrame + p;
        const unsigned char *ucEnd = ucFrame + QX04_BN_BVLCLEN(ucFrame);
        const std::uint32_t v = QX04_BN_TAG2L(ucTag, -1, ucEnd);
        const int t = QX04_BN_TAGNUM(ucTag);
        float fWert = 0;
        switch (t) {
        case 1:
        case 2:
        case 8:
        case 9:
            fWert = (float)v;
            break;
        case 3:
            fWert = (float)(std::int32_t)v;
            break;
        case 4:
        case 12:
            break; // stored as they are: already a float, or the identifier's bits
        default:
            UT_ERR_LOG(cRoutine, -1, t, "unzul. Tag");
            break;
        }
        // A value tag cut off by the frame's end (or of invalid length) carries no value.
        if ((t >= 1 && t <= 4) || t == 8 || t == 9 || t == 12) {
            if (QX04_BN_TAGLEN(ucTag, ucEnd) > 0) {
                if (t == 4 || t == 12)
                    *ulWert = v;
                else
                    std::memcpy(ulWert, &fWert, sizeof *ulWert);
                ier = t;
            }
        }
    }
    if (UT_TRC_OUT()) {
        float fSlot;
        std::memcpy(&fSlot, ulWert, sizeof fSlot);
        UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d   Wert : %G", ier, (double)fSlot);
    }
    return ier;
}
