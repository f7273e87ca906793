// Cuts the oldest fifth of the lines a process has written from the front of a text file (error log, print
// file of the operating protocol), so that the file stays within its limits.
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

int UT_FI_CUT(const char *cName, std::uint32_t *puZeile, int iMaxLen) {
    FILE *fpR = std::fopen(cName, "r");
    if (fpR == nullptr) return -1;
    char cBuf[512];
    int iLen = iMaxLen + 1 < static_cast<int>(sizeof cBuf) ? iMaxLen + 1 : static_cast<int>(sizeof cBuf);
    for (std::uint32_t n = *puZeile / 5; n > 0 && std::fgets(cBuf, iLen, fpR) != nullptr; n--)
        (*puZeile)--;
    FILE *fpW = std::fopen(cName, "r+");
    if (fpW == nullptr) {
        std::fclose(fpR);
        return -1;
    }
    int ier = 0;
    for (int c; (c = std::fgetc(fpR)) != EOF;) {
        if (std::fputc(c, fpW) == EOF) {
            ier = -3;
            break;
        }
    }
    if (std::fflush(fpW) != 0) ier = -3;
    SY_FI_CHSIZE(fpW, std::ftell(fpW));
    std::fclose(fpW);
    std::fclose(fpR);
    return ier;
}
