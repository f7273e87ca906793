// Splits a CSV line in place at the separator into at most iMax fields; there is no quoting, every
// separator separates. Unused entries point at the empty end of the text.
#include <cstring>
#include "runtime/ut/ut.h"

int UT_CSV_SCAN(char *cText, char cSep, int iMax, char *cFeld[]) {
    char *pEnde = cText + std::strlen(cText);
    for (int i = 0; i < iMax; i++)
        cFeld[i] = pEnde;
    if (iMax <= 0) return 0;
    int n = 0;
    char *p = cText;
    // A zero separator would find the terminator: the whole text is then one field.
    while (n < iMax && cSep != '\0') {
        char *s = static_cast<char *>(std::memchr(p, cSep, static_cast<std::size_t>(pEnde - p)));
        if (s == nullptr) break;
        *s = '\0';
        cFeld[n++] = p;
        p = s + 1;
    }
    if (n == iMax) return n; // the rest after the last taken separator is dropped
    cFeld[n++] = p;
    return n;
}
