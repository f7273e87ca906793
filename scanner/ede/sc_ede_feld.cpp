// A field of the EDE files as CSV quotes it: a text with the separator, a quote or a line break is put in
// quotes, its quotes doubled; every other text stands as it is.
#include "scanner/ede/sc_ede_intern.h"

std::string SC_EDE_FELD(const std::string &s) {
    if (s.find_first_of(";\"\r\n") == std::string::npos) return s;
    std::string q = "\"";
    for (const char c : s) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + '"';
}
