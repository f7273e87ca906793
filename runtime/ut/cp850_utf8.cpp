// A UTF-8 text in the loader's code page, one byte per character. A text that is not valid UTF-8 comes from
// a writer of code-page bytes and must not be touched: converting its byte pairs would garble it.
#include <cstring>
#include "runtime/ut/ut.h"

// Length of the valid UTF-8 sequence at p (at most n bytes there) and its character in *uCode; 0 when the
// bytes there are no valid sequence (stray continuation byte, overlong form, surrogate, beyond U+10FFFF or
// cut short).
static int UTF8_FOLGE(const unsigned char *p, std::size_t n, std::uint32_t *uCode) {
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
    if (*uCode < uMin || *uCode > 0x10FFFF || (*uCode >= 0xD800 && *uCode <= 0xDFFF)) return 0;
    return iLen;
}

int UT_CP850_VON_UTF8(char *cText) {
    unsigned char *p = reinterpret_cast<unsigned char *>(cText);
    std::size_t iAnf = 0; // ASCII stays as it is: the work starts at the first byte beyond it
    while (p[iAnf] != 0 && p[iAnf] < 0x80)
        iAnf++;
    if (p[iAnf] == 0) return static_cast<int>(iAnf);
    const std::size_t n = iAnf + std::strlen(cText + iAnf);
    std::uint32_t uCode;
    for (std::size_t i = iAnf; i < n;) {
        const int iLen = UTF8_FOLGE(p + i, n - i, &uCode);
        if (iLen == 0) return -1;
        i += static_cast<std::size_t>(iLen);
    }
    // Valid as a whole: every sequence becomes one byte, so the result never overtakes what is still read.
    std::size_t j = iAnf;
    for (std::size_t i = iAnf; i < n; j++) {
        if (p[i] < 0x80) {
            p[j] = p[i++];
            continue;
        }
        i += static_cast<std::size_t>(UTF8_FOLGE(p + i, n - i, &uCode));
        p[j] = UT_CP850_ZEICHEN(uCode);
    }
    p[j] = 0;
    return static_cast<int>(j);
}
