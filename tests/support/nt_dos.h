// German test texts written in UTF-8, turned into the bytes a file should hold: the loader's code page, or
// ISO 8859-1 (bDos false). Only the seven German letters; anything else stays as written.
#pragma once
#include <string>

inline std::string DOS(std::string s, bool bDos = true) {
    const struct {
        const char *cUtf8, *cDos, *cLatin1;
    } aBuchst[] = {{"ä", "\x84", "\xE4"}, {"ö", "\x94", "\xF6"}, {"ü", "\x81", "\xFC"}, {"Ä", "\x8E", "\xC4"},
                   {"Ö", "\x99", "\xD6"}, {"Ü", "\x9A", "\xDC"}, {"ß", "\xE1", "\xDF"}};
    for (const auto &b : aBuchst)
        for (std::size_t p; (p = s.find(b.cUtf8)) != std::string::npos;)
            s.replace(p, 2, bDos ? b.cDos : b.cLatin1);
    return s;
}
