// Numeric value of a tag (at most four content bytes), as an unsigned 32-bit word; 0xFFFFFFFF = none.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_TAG2L";

static std::uint32_t WERT(const unsigned char *ucTag, int t, int n) {
    if (n == 0 || n > 7 || t == -1 || t == QX04_TAG_OPEN || t == QX04_TAG_CLOSE) return 0xFFFFFFFF;
    const int h = QX04_BN_TAGOFS(ucTag, n);
    const int c = h > 0 ? n - h : 0; // content bytes
    const unsigned char *d = ucTag + h;
    switch (t) {
    case 0:
        return 0;
    case 1:
        // An application Boolean of one byte keeps its value in its own LVT; any other Boolean needs a
        // content byte, and one without content (LVT 0, or an extended length of 0) has no value.
        if (h == 0) return (ucTag[0] & 0x08) ? 0xFFFFFFFF : ucTag[0] & 7u;
        return c >= 1 ? d[0] & 7u : 0xFFFFFFFF;
    case 4: {
        if (c != 4) return 0xFFFFFFFF;
        float fWert;
        SY_IEEE2F(d, reinterpret_cast<unsigned char *>(&fWert));
        std::uint32_t ulBits;
        std::memcpy(&ulBits, &fWert, sizeof ulBits);
        return ulBits;
    }
    case 8: {
        if (c < 1 || d[0] > 7) return 0xFFFFFFFF;
        const int iBits = 8 * (c - 1) - d[0];
        std::uint32_t ulRet = 0;
        for (int i = 0; i < iBits && i < 32; i++)
            if ((d[1 + i / 8] >> (7 - i % 8)) & 1) ulRet |= 1u << i;
        return ulRet;
    }
    case 10:
        if (c != 4 || d[0] < 80) return 0xFFFFFFFF;
        return (((d[0] - 80u) * 16 | d[1]) * 32) | d[2];
    case 11:
        if (c != 4) return 0xFFFFFFFF;
        return ((d[0] * 64u | d[1]) * 32) | (d[2] / 2u);
    case 2:
    case 3:
    case 6:
    case 9:
    case 12: {
        if (n > 5) return 0xFFFFFFFF;
        // a negative Signed is sign-extended
        std::uint32_t ulRet = (t == 3 && c >= 1 && (d[0] & 0x80)) ? 0xFFFFFFFF : 0;
        for (int i = 0; i < c; i++)
            ulRet = ulRet << 8 | d[i];
        return ulRet;
    }
    default:
        return 0xFFFFFFFF;
    }
}

std::uint32_t QX04_BN_TAG2L(const unsigned char *ucTag, int iContext, const unsigned char *ucEnd) {
    const bool bDa = ucEnd == nullptr || ucTag < ucEnd;
    int t = bDa ? QX04_BN_TAGNUM(ucTag) : -1;
    if (t == QX04_TAG_CONTEXT) t = iContext;
    const int n = QX04_BN_TAGLEN(ucTag, ucEnd);
    QX04_BN_TAGTRC(cRoutine, ucTag, bDa, t, n, iContext);
    const std::uint32_t ulRet = WERT(ucTag, t, n);
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ulRETURN : %lu", (unsigned long)ulRet);
    return ulRet;
}
