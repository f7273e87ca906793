// A line break or another control character inside a device text would split its data line, and the loader
// and refdiff would read two broken lines: inside the line they become blanks. The record keeps the text
// whole for the EDE files and the report.
#include "scanner/reffile/sc_ref.h"

void SC_REF_BLANKS(char *cZeile, std::size_t uLen) {
    for (std::size_t i = 0; i < uLen; i++)
        if (static_cast<unsigned char>(cZeile[i]) < static_cast<unsigned char>(' ')) cZeile[i] = ' ';
}
