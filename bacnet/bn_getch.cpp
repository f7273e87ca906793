// Character string of the ReadProperty acknowledgement in a received frame.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_GETCHAR";

char *QX04_BN_GETCHAR(const unsigned char *ucFrame, std::uint16_t usPropId) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf  Prop-Id.: %u", usPropId);
    int ier = -1;
    char *cRet = nullptr;
    const int p = QX04_BN_POSWERT(ucFrame, usPropId);
    if (p > 0) {
        const unsigned char *ucTag = ucFrame + p;
        const unsigned char *ucEnd = ucFrame + QX04_BN_BVLCLEN(ucFrame);
        const int t = QX04_BN_TAGNUM(ucTag);
        if (t != 7) {
            UT_ERR_LOG(cRoutine, -1, t, "unzul. Tag");
        } else if (QX04_BN_TAGLEN(ucTag, ucEnd) > 0) { // a string cut off by the frame's end is no text
            cRet = QX04_BN_TAG2C(ucTag, -1, ucEnd);
            ier = t;
        }
    }
    if (UT_TRC_OUT()) {
        UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
        if (cRet != nullptr)
            UT_TRC_CONT("\n   String : >%s<", cRet);
        else
            UT_TRC_CONT("\n   String : * NULL *");
        std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
    }
    return cRet;
}
