// Brings a state text into the form in which device texts and catalogue texts are compared: code-page
// letters become '_', lower case becomes upper case.
#include "scanner/reffile/sc_ref.h"

void SC_NORM_TEXT(char *cText) {
    for (unsigned char *p = reinterpret_cast<unsigned char *>(cText); *p != 0; p++) {
        if (*p & 0x80) *p = '_';
        if (*p > 0x60) *p = static_cast<unsigned char>(*p - 0x20);
    }
}
