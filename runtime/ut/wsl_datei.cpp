// File name of a queue: its name and the extension ".WSL" (the queue) or ".WST" (the copy while compacting).
#include "runtime/ut/ut.h"

bool UT_WSL_DATEI(const UT_WSL_Struct *psWSL, const char *cExt, char *cDatei, std::size_t uSize) {
    // A record that UT_WSL_INIT never loaded has no name: there is no file to touch.
    if (psWSL->cName[0] == '\0') return false;
    int n = std::snprintf(cDatei, uSize, "%.8s%s", psWSL->cName, cExt);
    return n > 0 && static_cast<std::size_t>(n) < uSize;
}
