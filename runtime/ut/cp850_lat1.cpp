// An ISO 8859-1 text in the loader's code page: each byte is the Unicode character of the same number.
#include "runtime/ut/ut.h"

int UT_CP850_VON_LATIN1(char *cText) {
    int n = 0;
    for (unsigned char *p = reinterpret_cast<unsigned char *>(cText); *p != 0; p++, n++)
        *p = UT_CP850_ZEICHEN(*p);
    return n;
}
