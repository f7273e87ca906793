// Entry trace line shared by the tag value decoders: tag byte, type, length, context and the bytes after it.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

void QX04_BN_TAGTRC(const char *cRoutine, const unsigned char *ucTag, bool bDa, int iTyp, int iLen,
                    int iContext) {
    if (!UT_TRC_IN()) return;
    UT_TRC("\n\n", cRoutine, "Nach Aufruf  BN-Tag (0x%02X)   -Num.: %d   -Len.: %d   -Context : %d",
           bDa ? ucTag[0] : 0, iTyp, iLen, iContext);
    if (iLen > 1) {
        UT_TRC_CONT("\n   Tag-Data :");
        for (int i = 1; i < iLen; i++)
            UT_TRC_CONT(" 0x%02X ", ucTag[i]);
    }
    if (TEST_T_fpout != nullptr) std::fflush(TEST_T_fpout);
}
