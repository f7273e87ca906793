// Numeric value (or object identifier) of the value tag at a given offset of a received frame: the value of a
// ReadProperty acknowledgement, or of one result of a ReadPropertyMultiple acknowledgement.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_GETWERT"; // reported as the value decoder it is

int QX04_BN_WERT(const unsigned char *ucFrame, int iPos, std::uint32_t *ulWert) {
    *ulWert = ulUT_fUNDEF;
    const int iLen = (int)QX04_BN_BVLCLEN(ucFrame);
    if (iPos <= 0 || iPos >= iLen) return -1;
    const int t = QX04_BN_TAGNUM(ucFrame + iPos);
    if (t != 1 && t != 2 && t != 3 && t != 4 && t != 8 && t != 9 && t != 12) {
        UT_ERR_LOG(cRoutine, -1, t, "unzul. Tag");
        return -1;
    }
    // A value tag cut off by the frame's end (or of invalid length) carries no value.
    QX04_BN_WERT_Struct w;
    QX04_BN_WERTLESEN(ucFrame + iPos, ucFrame + iLen, &w);
    *ulWert = w.ulWert;
    return w.iTag;
}
