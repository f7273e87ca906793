// A UTF-8 text in the loader's code page, one byte per character. A text that is not valid UTF-8 comes from
// a writer of code-page bytes and must not be touched: converting its byte pairs would garble it.
#include <cstring>
#include "runtime/ut/ut.h"

int UT_CP850_VON_UTF8(char *cText) {
    unsigned char *p = reinterpret_cast<unsigned char *>(cText);
    std::size_t iAnf = 0; // ASCII stays as it is: the work starts at the first byte beyond it
    while (p[iAnf] != 0 && p[iAnf] < 0x80)
        iAnf++;
    if (p[iAnf] == 0) return static_cast<int>(iAnf);
    const std::size_t n = iAnf + std::strlen(cText + iAnf);
    std::uint32_t uCode;
    for (std::size_t i = iAnf; i < n;) {
        const int iLen = UT_UTF8_FOLGE(p + i, n - i, &uCode);
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
        i += static_cast<std::size_t>(UT_UTF8_FOLGE(p + i, n - i, &uCode));
        p[j] = UT_CP850_ZEICHEN(uCode);
    }
    p[j] = 0;
    return static_cast<int>(j);
}
