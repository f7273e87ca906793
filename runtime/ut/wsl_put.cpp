// Writes one entry to the open queue file (text: up to its terminator; binary: the record length) and
// flushes, so that the answer tells whether the entry is really in the file.
#include <cstring>
#include "runtime/ut/ut.h"

bool UT_WSL_PUT(UT_WSL_Struct *psWSL, const char *cEintrag) {
    std::size_t uLen = psWSL->iLen == 0 ? std::strlen(cEintrag) : static_cast<std::size_t>(psWSL->iLen);
    bool bOk = std::fwrite(cEintrag, 1, uLen, psWSL->fp) == uLen;
    return std::fflush(psWSL->fp) == 0 && bOk;
}
