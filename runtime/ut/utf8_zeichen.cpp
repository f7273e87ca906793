// One Unicode character as UTF-8, for every writer of UTF-8 texts (the JSON report, the EDE files).
#include "runtime/ut/ut.h"

int UT_UTF8_ZEICHEN(std::uint32_t uCode, char *cOut) {
    constexpr std::uint32_t uZwei = 0x80, uDrei = 0x800, uVier = 0x10000; // from here on one byte more
    if (uCode > UT_UNICODE_MAX || (uCode >= UT_SURROGAT_ERST && uCode <= UT_SURROGAT_LETZT))
        uCode = UT_ERSATZZEICHEN;
    if (uCode < uZwei) {
        cOut[0] = static_cast<char>(uCode);
        return 1;
    }
    const int n = uCode < uDrei ? 2 : uCode < uVier ? 3 : 4;
    static constexpr unsigned char ucKopf[5] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (int i = n - 1; i > 0; i--, uCode >>= 6)
        cOut[i] = static_cast<char>(0x80 | (uCode & 0x3F));
    cOut[0] = static_cast<char>(ucKopf[n] | uCode);
    return n;
}
