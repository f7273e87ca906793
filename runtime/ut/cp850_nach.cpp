// Code-page text for readers that expect UTF-8 (a JSON report): each byte becomes its Unicode character.
#include "runtime/ut/ut.h"

int UT_CP850_NACH_UTF8(const char *cIn, std::size_t uLen, char *cOut, std::size_t uSize) {
    constexpr std::uint32_t uZwei = 0x800; // from here on a character takes three bytes
    std::size_t j = 0;
    for (std::size_t i = 0; i < uLen; i++) {
        const unsigned char b = static_cast<unsigned char>(cIn[i]);
        const std::uint32_t u = b < 0x80 ? b : usUT_CP850_UCS[b - 0x80];
        const std::size_t n = u < 0x80 ? 1 : u < uZwei ? 2 : 3;
        if (j + n >= uSize) break;
        if (n == 1) {
            cOut[j++] = static_cast<char>(u);
        } else if (n == 2) {
            cOut[j++] = static_cast<char>(0xC0 | u >> 6);
            cOut[j++] = static_cast<char>(0x80 | (u & 0x3F));
        } else {
            cOut[j++] = static_cast<char>(0xE0 | u >> 12);
            cOut[j++] = static_cast<char>(0x80 | (u >> 6 & 0x3F));
            cOut[j++] = static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    if (uSize > 0) cOut[j] = '\0';
    return static_cast<int>(j);
}
