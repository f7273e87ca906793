// An output file that could not be written at the end would cost the run's work, so its name is tried first.
#include <string>
#include "runtime/ut/ut.h"

bool UT_DATEI_PROBE(const char *cName) {
    const std::string sTmp = std::string(cName) + ".tmp";
    std::FILE *fp = std::fopen(sTmp.c_str(), "w");
    if (fp == nullptr) return false;
    std::fclose(fp);
    std::remove(sTmp.c_str());
    return true;
}
