// Takes (mode 0) or looks at (mode 1) the oldest entry of a queue; the buffered oldest entry is given as it
// was written, an entry from the file without its line feed and trailing blanks.
#include "runtime/ut/ut.h"

char *UT_WSL_RXXX(UT_WSL_Struct *psWSL, int iModus) {
    if ((iModus != 0 && iModus != 1) || psWSL->lAnz == 0) return nullptr;
    if (psWSL->lAnz < 0) {
        // The remaining entries are read from the file, from the read offset on.
        if (iModus == 0) psWSL->lAnz = -psWSL->lAnz - 1;
        return psWSL->cBuf;
    }

    char cDatei[16];
    if (!UT_WSL_DATEI(psWSL, ".WSL", cDatei, sizeof cDatei)) return nullptr;
    psWSL->fp = std::fopen(cDatei, psWSL->iLen == 0 ? "r" : "rb");
    if (psWSL->fp == nullptr) return nullptr;
    if (fseeko(psWSL->fp, psWSL->lOffset, SEEK_SET) != 0) {
        std::fclose(psWSL->fp);
        psWSL->fp = nullptr;
        return nullptr;
    }
    bool bOk = UT_WSL_GET(psWSL, psWSL->cBuf);
    if (bOk && psWSL->iLen == 0) UT_NORM_STRING(psWSL->cBuf);
    if (bOk && iModus == 0) {
        off_t lPos = ftello(psWSL->fp);
        if (lPos < 0 || lPos > lUT_WSL_OffsMax)
            bOk = false;
        else
            psWSL->lOffset = lPos;
    }
    std::fclose(psWSL->fp);
    psWSL->fp = nullptr;

    // An entry that cannot be read is counted as taken, so that a damaged file does not block the queue.
    if (iModus == 0) {
        psWSL->lAnz--;
        if (psWSL->lAnz == 0) std::remove(cDatei);
    }
    return bOk ? psWSL->cBuf : nullptr;
}
