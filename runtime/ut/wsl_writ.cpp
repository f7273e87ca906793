// Appends one entry to a queue; the first entry of an empty queue stays in the control record, the file is
// only written from the second on.
#include <cstring>
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

int UT_WSL_WRIT(UT_WSL_Struct *psWSL, const char *cEintrag) {
    char cNeu[264];
    std::int64_t lStuecke = 1;
    if (cEintrag == nullptr) return 2;
    if (psWSL->iLen == 0) {
        std::size_t n = std::strlen(cEintrag);
        // 255 characters, and the line feed they may already end in (the longest error-log line).
        if (n - (n > 0 && cEintrag[n - 1] == '\n') >= 256) return 2;
        std::memcpy(cNeu, cEintrag, n);
        // A line feed inside the text would split it into two lines of the file, out of step with the count.
        for (std::size_t i = 0; i + 1 < n; i++)
            if (cNeu[i] == '\n') cNeu[i] = ' ';
        if (n == 0 || cNeu[n - 1] != '\n') cNeu[n++] = '\n';
        cNeu[n] = '\0';
        // From the file a line is read back in pieces of at most 254 characters: count what will be read.
        if (n > 254) lStuecke = 2;
    } else {
        std::memcpy(cNeu, cEintrag, static_cast<std::size_t>(psWSL->iLen));
        cNeu[psWSL->iLen] = '\0';
    }

    if (psWSL->lAnz == 0) {
        std::memcpy(psWSL->cBuf, cNeu, sizeof cNeu);
        psWSL->lAnz = -1;
        return 0;
    }

    std::int64_t lAnz = psWSL->lAnz < 0 ? -psWSL->lAnz : psWSL->lAnz;
    if (lAnz > lUT_WSL_AnzMax - lStuecke) return 10;
    char cDatei[16];
    if (!UT_WSL_DATEI(psWSL, ".WSL", cDatei, sizeof cDatei)) return 10;
    psWSL->fp = std::fopen(cDatei, psWSL->iLen == 0 ? "a" : "ab");
    if (psWSL->fp == nullptr) return 10;
    std::fseek(psWSL->fp, 0, SEEK_END);
    long lAlt = std::ftell(psWSL->fp);

    std::int64_t lOffset = psWSL->lOffset;
    bool bOk = true;
    if (psWSL->lAnz == -1) {
        bOk = UT_WSL_PUT(psWSL, psWSL->cBuf);
        lOffset = ftello(psWSL->fp);
    }
    if (bOk) bOk = UT_WSL_PUT(psWSL, cNeu);
    // A part of an entry left in the file would be read as an entry of its own: take the file back.
    if (!bOk) SY_FI_CHSIZE(psWSL->fp, lAlt);
    if (std::fclose(psWSL->fp) != 0) bOk = false;
    psWSL->fp = nullptr;
    if (!bOk) {
        if (psWSL->lAnz == -1 && lAlt == 0) std::remove(cDatei);
        return 10;
    }

    psWSL->lOffset = lOffset;
    psWSL->lAnz += psWSL->lAnz < 0 ? -lStuecke : lStuecke;
    return 0;
}
