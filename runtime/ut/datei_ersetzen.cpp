// A file written whole or not at all: through a temporary name, renamed only once every byte went out.
#include <string>
#include "runtime/ut/ut.h"

bool UT_DATEI_ERSETZEN(const char *cName, const char *cText, std::size_t uLen) {
    const std::string sTmp = std::string(cName) + ".tmp";
    std::FILE *fp = std::fopen(sTmp.c_str(), "wb");
    bool bGut = fp != nullptr && std::fwrite(cText, 1, uLen, fp) == uLen;
    bGut = fp != nullptr && std::fclose(fp) == 0 && bGut;
    bGut = bGut && std::rename(sTmp.c_str(), cName) == 0;
    if (!bGut) std::remove(sTmp.c_str());
    return bGut;
}
