// A UCS-2 or UCS-4 text (big-endian, as BACnet sends it) in the loader's code page. Its bytes include zeros,
// so it is taken by its length, never as a C string.
#include "runtime/ut/ut.h"

int UT_CP850_VON_UCS(const unsigned char *ucIn, int iLen, int iBreite, char *cOut, std::size_t uSize) {
    std::size_t j = 0;
    for (int i = 0; i + iBreite <= iLen && j + 1 < uSize; i += iBreite) {
        std::uint32_t uCode = 0;
        for (int k = 0; k < iBreite; k++)
            uCode = uCode << 8 | ucIn[i + k];
        if (uCode == 0) break;
        // A high and a low surrogate are one character beyond the code page's reach: one '?', not two.
        if (iBreite == 2 && uCode >= 0xD800 && uCode <= 0xDBFF && i + 4 <= iLen) {
            const std::uint32_t uTief = (std::uint32_t)ucIn[i + 2] << 8 | ucIn[i + 3];
            if (uTief >= 0xDC00 && uTief <= 0xDFFF) i += 2;
        }
        cOut[j++] = static_cast<char>(UT_CP850_ZEICHEN(uCode));
    }
    if (uSize > 0) cOut[j] = '\0';
    return static_cast<int>(j);
}
