// Reads one entry of a queue from its open file: a text line of at most 254 characters (line feed kept) or
// one record of the record length followed by a zero byte. cZiel holds at least 258 bytes.
#include "runtime/ut/ut.h"

bool UT_WSL_GET(UT_WSL_Struct *psWSL, char *cZiel) {
    if (psWSL->iLen == 0) {
        if (std::fgets(cZiel, 255, psWSL->fp) == nullptr) return false;
    } else {
        std::size_t uLen = static_cast<std::size_t>(psWSL->iLen);
        if (std::fread(cZiel, 1, uLen, psWSL->fp) != uLen) return false;
        cZiel[uLen] = '\0';
    }
    // A last line without its line feed, or a short last record, is not a complete entry.
    return !std::feof(psWSL->fp) && !std::ferror(psWSL->fp);
}
