// Brings a queue file into the state UT_WSL_INIT loads: the consumed entries cut off through a copy (mode 0)
// or in place (mode 1), or the whole queue discarded (mode 2).
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

// Copies the rest of fpR to fpW: 0, or 11 when a write failed.
static int WSL_KOPIE(FILE *fpR, FILE *fpW) {
    char cBlock[4096];
    for (std::size_t n; (n = std::fread(cBlock, 1, sizeof cBlock, fpR)) > 0;)
        if (std::fwrite(cBlock, 1, n, fpW) != n) return 11;
    return std::fflush(fpW) == 0 ? 0 : 11;
}

int UT_WSL_EXIT(UT_WSL_Struct *psWSL, int iModus) {
    // Another mode leaves the queue untouched, the buffered entry included.
    if (iModus < 0 || iModus > 2) return 2;
    char cDatei[16], cTemp[16];
    if (!UT_WSL_DATEI(psWSL, ".WSL", cDatei, sizeof cDatei) ||
        !UT_WSL_DATEI(psWSL, ".WST", cTemp, sizeof cTemp))
        return 10;

    int ier = 0;
    if (psWSL->lAnz == -1) {
        psWSL->fp = std::fopen(cDatei, psWSL->iLen == 0 ? "w" : "wb");
        if (psWSL->fp == nullptr) {
            ier = 10;
        } else {
            if (!UT_WSL_PUT(psWSL, psWSL->cBuf)) ier = 10;
            if (std::fclose(psWSL->fp) != 0) ier = 10;
            psWSL->fp = nullptr;
        }
        psWSL->lOffset = 0;
    } else if (psWSL->lAnz < -1) {
        psWSL->lOffset = 0;
    }

    FILE *fpR = nullptr, *fpW = nullptr;
    if (psWSL->lAnz > 0) {
        fpR = std::fopen(cDatei, "rb");
        if (fpR == nullptr || fseeko(fpR, psWSL->lOffset, SEEK_SET) != 0) ier = 10;
        if (ier == 0 && iModus == 0) fpW = std::fopen(cTemp, "w+b");
        if (ier == 0 && iModus == 1) fpW = std::fopen(cDatei, "r+b");
        if (ier == 0 && fpW == nullptr) ier = 11;
        if (ier == 0) ier = WSL_KOPIE(fpR, fpW);
        if (ier == 0 && iModus == 1 && SY_FI_CHSIZE(fpW, std::ftell(fpW)) != 0) ier = 11;
    }
    if (fpW != nullptr && std::fclose(fpW) != 0 && ier == 0) ier = 11;
    if (fpR != nullptr) std::fclose(fpR);
    std::snprintf(psWSL->cBuf, sizeof psWSL->cBuf, "%s", cDatei);

    if (ier == 0 && iModus == 0 && psWSL->lAnz > 0) {
        // The copy replaces the queue file in one step.
        if (std::rename(cTemp, cDatei) != 0) {
            ier = 11;
            std::remove(cTemp);
        }
        return ier;
    }
    std::remove(cTemp);
    // A half-done copy in place has mixed old and new entries: it must not be loaded again.
    if ((ier != 0 && iModus == 1) || iModus == 2 || psWSL->lAnz == 0) std::remove(cDatei);
    return ier;
}
