// Code-page text for readers that expect UTF-8 (a JSON report): each byte becomes its Unicode character.
#include "runtime/ut/ut.h"

int UT_CP850_NACH_UTF8(const char *cIn, std::size_t uLen, char *cOut, std::size_t uSize) {
    std::size_t j = 0;
    for (std::size_t i = 0; i < uLen; i++) {
        const unsigned char b = static_cast<unsigned char>(cIn[i]);
        char c[4];
        const int n = UT_UTF8_ZEICHEN(b < 0x80 ? b : usUT_CP850_UCS[b - 0x80], c);
        if (j + static_cast<std::size_t>(n) >= uSize) break;
        for (int k = 0; k < n; k++)
            cOut[j++] = c[k];
    }
    if (uSize > 0) cOut[j] = '\0';
    return static_cast<int>(j);
}
