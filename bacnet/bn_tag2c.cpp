// Character string of a tag, copied byte for byte whatever its character set, at most 255 bytes; the set
// and the byte count are left for the caller who converts the text.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_TAG2C";

static char cString[256]; // the last string decoded; also what QX04_BN_GETCHAR returns

char *QX04_BN_TAG2C(const unsigned char *ucTag, int iContext, const unsigned char *ucEnd) {
    const bool bDa = ucEnd == nullptr || ucTag < ucEnd;
    int t = bDa ? QX04_BN_TAGNUM(ucTag) : -1;
    if (t == QX04_TAG_CONTEXT) t = iContext;
    const int n = QX04_BN_TAGLEN(ucTag, ucEnd);
    QX04_BN_TAGTRC(cRoutine, ucTag, bDa, t, n, iContext);
    char *cRet = nullptr;
    if (t == 7) {
        int iAnz = 0;
        const int h = QX04_BN_TAGOFS(ucTag, n);
        if (n > 0) iAnz = n - h - 1; // the character-set byte at h is not part of the text
        if (iAnz < 0) iAnz = 0;
        if (iAnz > 255) iAnz = 255;
        if (iAnz > 0) std::memcpy(cString, ucTag + h + 1, (std::size_t)iAnz);
        cString[iAnz] = '\0';
        cRet = cString;
    }
    if (UT_TRC_OUT())
        UT_TRC("\n\n", cRoutine, "Vor  RETURN   cRETURN : >%s<", cRet != nullptr ? cRet : "* NULL *");
    return cRet;
}
