// Character string of the ReadProperty acknowledgement in a received frame.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_GETCHAR";

char *QX04_BN_GETCHAR(const unsigned char *ucFrame, std::uint16_t usPropId) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf  Prop-Id.: %u", usPropId);
    char *cRet = QX04_BN_CHAR(ucFrame, QX04_BN_POSWERT(ucFrame, usPropId));
    if (UT_TRC_OUT()) {
        UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", cRet != nullptr ? 7 : -1);
        if (cRet != nullptr)
            UT_TRC_CONT("\n   String : >%s<", cRet);
        else
            UT_TRC_CONT("\n   String : * NULL *");
        std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
    }
    return cRet;
}
