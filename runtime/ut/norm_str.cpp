// Cuts trailing blanks and control characters in place. Bytes from 0x80 up are letters of the code page or
// of UTF-8 and stay ("Durchflu\xE1" keeps its last letter).
#include <cstring>
#include "runtime/ut/ut.h"

int UT_NORM_STRING(char *cText) {
    std::size_t n = std::strlen(cText);
    while (n > 0 && static_cast<unsigned char>(cText[n - 1]) <= 0x20)
        cText[--n] = '\0';
    return static_cast<int>(n);
}
