// One character in the loader's code page. The table (ut.h) is our own rather than the C library's iconv:
// the result does not depend on the locales a machine has installed, a missing character is always '?', and
// both programs convert alike.
#include <iterator>
#include "runtime/ut/ut.h"

// Each character once, none of them ASCII: the search below finds the one byte of a character.
static constexpr bool CP850_EINDEUTIG() {
    for (std::size_t i = 0; i < std::size(usUT_CP850_UCS); i++) {
        if (usUT_CP850_UCS[i] < 0x80) return false;
        for (std::size_t j = i + 1; j < std::size(usUT_CP850_UCS); j++)
            if (usUT_CP850_UCS[i] == usUT_CP850_UCS[j]) return false;
    }
    return true;
}
static_assert(CP850_EINDEUTIG());

unsigned char UT_CP850_ZEICHEN(std::uint32_t uCode) {
    if (uCode < 0x80) return static_cast<unsigned char>(uCode);
    for (std::size_t i = 0; i < std::size(usUT_CP850_UCS); i++)
        if (usUT_CP850_UCS[i] == uCode) return static_cast<unsigned char>(0x80 + i);
    return '?';
}
