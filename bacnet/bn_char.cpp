// Character string of the value tag at a given offset of a received frame: the value of a ReadProperty
// acknowledgement, or of one result of a ReadPropertyMultiple acknowledgement.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_GETCHAR"; // reported as the value decoder it is

char *QX04_BN_CHAR(const unsigned char *ucFrame, int iPos) {
    const int iLen = (int)QX04_BN_BVLCLEN(ucFrame);
    if (iPos <= 0 || iPos >= iLen) return nullptr;
    const unsigned char *ucTag = ucFrame + iPos;
    const unsigned char *ucEnd = ucFrame + iLen;
    const int t = QX04_BN_TAGNUM(ucTag);
    if (t != 7) {
        UT_ERR_LOG(cRoutine, -1, t, "unzul. Tag");
        return nullptr;
    }
    if (QX04_BN_TAGLEN(ucTag, ucEnd) == 0) return nullptr; // a string cut off by the frame's end is no text
    return QX04_BN_TAG2C(ucTag, -1, ucEnd);
}
