// Before anything is sent: the name of an option's output file (cWas, option letter cOpt) is fit, or the
// console says why not: no name (or the name stands apart from its option, where the shell split it), a
// directory, or a file of the scanner's own. False when unfit: the set-up ends there.
#include <cctype>
#include <cstdio>
#include "scanner/reffile/sc_ref.h"

bool SC_AUSGABE_PRUEFEN(const char *cWas, char cOpt, const std::string &sName, int argc, char **argv) {
    if (sName.empty()) {
        const char *cGetrennt = nullptr;
        for (int i = 1; i + 1 < argc && argv[i] != nullptr && argv[i + 1] != nullptr; i++) {
            const char *a = argv[i];
            if ((a[0] == '-' || a[0] == '/') && std::toupper(static_cast<unsigned char>(a[1])) == cOpt &&
                a[2] == '\0' && argv[i + 1][0] != '-' && argv[i + 1][0] != '/')
                cGetrennt = argv[i + 1];
        }
        if (cGetrennt != nullptr)
            std::printf("\n\n***  %s: Name \"%s\" getrennt von -%c, zul\x84ssig ist -%c<Name>  ***", cWas,
                        cGetrennt, cOpt, cOpt);
        else
            std::printf("\n\n***  %s: Name fehlt, zul\x84ssig ist -%c<Name>  ***", cWas, cOpt);
        return false;
    }
    char cText[64];
    const char *cFehler = SC_AUSGABE_KONFLIKT(sName.c_str(), cText, sizeof cText);
    if (cFehler == nullptr) return true;
    std::printf("\n\n***  %s %s %s  ***", cWas, sName.c_str(), cFehler);
    return false;
}
