// Command line that hands tabconv.ref to the loader. The identifiers come from the engineer's CSV file, so
// each is quoted for the shell: a single quote inside becomes '\'' and the loader gets the text unchanged.
#include "converter/tk.h"

// Appends c to cBuf at *pPos if it fits (one byte kept for the terminator).
static bool ZEICHEN(char *cBuf, std::size_t uSize, std::size_t *pPos, char c) {
    if (*pPos + 1 >= uSize) return false;
    cBuf[(*pPos)++] = c;
    return true;
}

// ' text ' with every single quote closed, escaped and reopened.
static bool QUOTE(char *cBuf, std::size_t uSize, std::size_t *pPos, const char *cText) {
    bool bOk = ZEICHEN(cBuf, uSize, pPos, '\'');
    for (const char *p = cText; bOk && *p != '\0'; p++) {
        if (*p == '\'')
            bOk = ZEICHEN(cBuf, uSize, pPos, '\'') && ZEICHEN(cBuf, uSize, pPos, '\\') &&
                  ZEICHEN(cBuf, uSize, pPos, '\'') && ZEICHEN(cBuf, uSize, pPos, '\'');
        else
            bOk = ZEICHEN(cBuf, uSize, pPos, *p);
    }
    return bOk && ZEICHEN(cBuf, uSize, pPos, '\'');
}

int TK_LD_CMD(char *cBuf, std::size_t uSize) {
    if (uSize == 0) return -1;
    int n = std::snprintf(cBuf, uSize, "exec ctrload tabconv.ref %d ", iTK_TrbId);
    if (n < 0 || static_cast<std::size_t>(n) >= uSize) return -1;
    std::size_t uPos = static_cast<std::size_t>(n);
    bool bOk = QUOTE(cBuf, uSize, &uPos, cTK_Obj_Kenn) && ZEICHEN(cBuf, uSize, &uPos, ' ') &&
               QUOTE(cBuf, uSize, &uPos, cTK_GAK_Kenn);
    cBuf[uPos] = '\0';
    return bOk ? static_cast<int>(uPos) : -1;
}
