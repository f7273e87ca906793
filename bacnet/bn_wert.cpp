// Numeric value (or object identifier) of the value tag at a given offset of a received frame: the value of a
// ReadProperty acknowledgement, or of one result of a ReadPropertyMultiple acknowledgement.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_GETWERT"; // reported as the value decoder it is

int QX04_BN_WERT(const unsigned char *ucFrame, int iPos, std::uint32_t *ulWert) {
    *ulWert = ulUT_fUNDEF;
    const int iLen = (int)QX04_BN_BVLCLEN(ucFrame);
    if (iPos <= 0 || iPos >= iLen) return -1;
    const unsigned char *ucTag = ucFrame + iPos;
    const unsigned char *ucEnd = ucFrame + iLen;
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
        return -1;
    }
    // A value tag cut off by the frame's end (or of invalid length) carries no value.
    if (QX04_BN_TAGLEN(ucTag, ucEnd) == 0) return -1;
    if (t == 4 || t == 12)
        *ulWert = v;
    else
        std::memcpy(ulWert, &fWert, sizeof *ulWert);
    return t;
}
