// Loads a queue from its file "<name>.WSL": the oldest entry into the control record, the others counted.
#include <cstring>
#include "runtime/ut/ut.h"

int UT_WSL_INIT(UT_WSL_Struct *psWSL, const char *cName, int iLen) {
    if (cName == nullptr || cName[0] == '\0' || std::strlen(cName) > 8) return 2;
    if (iLen < 0 || iLen > 256) return 3;

    // Every step names the file by the part before a dot, the load as well, so that all meet the same file.
    std::size_t n = std::strcspn(cName, ".");
    std::memcpy(psWSL->cName, cName, n);
    psWSL->cName[n] = '\0';
    psWSL->iLen = iLen;
    psWSL->lAnz = 0;
    psWSL->lOffset = 0;
    psWSL->fp = nullptr;

    char cDatei[16];
    if (!UT_WSL_DATEI(psWSL, ".WSL", cDatei, sizeof cDatei)) return 2;
    psWSL->fp = std::fopen(cDatei, iLen == 0 ? "a+" : "a+b");
    if (psWSL->fp == nullptr) return 2;
    std::rewind(psWSL->fp);

    if (UT_WSL_GET(psWSL, psWSL->cBuf)) {
        psWSL->lOffset = ftello(psWSL->fp);
        char cRest[264];
        do
            psWSL->lAnz--;
        while (-psWSL->lAnz < lUT_WSL_AnzMax && UT_WSL_GET(psWSL, cRest));
    }
    std::fclose(psWSL->fp);
    psWSL->fp = nullptr;

    // An empty queue has no file, and a single entry lives in the control record only.
    if (psWSL->lAnz == 0 || psWSL->lAnz == -1) std::remove(cDatei);
    return 0;
}
