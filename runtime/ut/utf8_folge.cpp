// One UTF-8 sequence checked and decoded: the code-page conversion and the EDE files both must know valid
// UTF-8 from the code-page bytes of an older writer.
#include "runtime/ut/ut.h"

int UT_UTF8_FOLGE(const unsigned char *p, std::size_t n, std::uint32_t *uCode) {
    const unsigned b = p[0];
    int iLen;
    std::uint32_t uMin;
    if (b < 0x80) {
        *uCode = b;
        return 1;
    } else if (b >= 0xC2 && b <= 0xDF) {
        iLen = 2, uMin = 0x80, *uCode = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        iLen = 3, uMin = 0x800, *uCode = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        iLen = 4, uMin = 0x10000, *uCode = b & 0x07;
    } else {
        return 0;
    }
    if (n < static_cast<std::size_t>(iLen)) return 0;
    for (int i = 1; i < iLen; i++) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        *uCode = *uCode << 6 | (p[i] & 0x3F);
    }
    if (*uCode < uMin || *uCode > UT_UNICODE_MAX ||
        (*uCode >= UT_SURROGAT_ERST && *uCode <= UT_SURROGAT_LETZT))
        return 0;
    return iLen;
}
