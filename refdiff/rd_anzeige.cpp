// A text of a reference file as the terminal shows it: the loader's code page turned into UTF-8 where the
// terminal takes UTF-8, and no control character, which would let a file move the cursor or clear the screen.
#include <algorithm>
#include "refdiff/rd.h"
#include "runtime/ut/ut.h"

static constexpr std::size_t uUTF8_MAX = 3; // bytes of one code-page character in UTF-8
static constexpr char cSTEUER = '?';        // shown for a control character
static char cRoh[uRD_ZEILE_MAX];
static char cAnzeige[uUTF8_MAX * uRD_ZEILE_MAX + 1];

std::string_view RD_ANZEIGE(std::string_view s) {
    const std::size_t n = std::min(s.size(), sizeof cRoh);
    for (std::size_t i = 0; i < n; i++) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        cRoh[i] = b < ' ' || b == 0x7F ? cSTEUER : s[i];
    }
    if (!iRD_Utf8) return {cRoh, n};
    return {cAnzeige, static_cast<std::size_t>(UT_CP850_NACH_UTF8(cRoh, n, cAnzeige, sizeof cAnzeige))};
}
