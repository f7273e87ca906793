// Error log: one line per reported failure (time stamp, routine, result code, explaining number, text),
// delivered to the configured destination; the error-log file is kept within its line, size and disk limits
// by cutting off its oldest fifth.
#include "runtime/ut/ut.h"

static std::uint32_t uZeile; // lines this process has written to the error-log file

static bool EL_LIMIT() {
    if (uUT_EL_AnzWSL != 0 && uZeile >= uUT_EL_AnzWSL) return true;
    if (UT_DISK_KNAPP(UT_DISKFREE)) return true;
    // A missing file (0xFFFFFFFF) is never over the limit.
    std::uint32_t ulSize = UT_EL_FSIZE(cUT_EL_Bez);
    return ulSize != 0xFFFFFFFF && ulSize > ulUT_EL_SizeWSL;
}

// Appends the line to the error-log file while there is room on the disk; the first line of a process
// empties the file.
static int EL_FILE(const char *cZeile, std::size_t uLen) {
    if (!UT_DISK_PLATZ()) return 0;
    FILE *fp = std::fopen(cUT_EL_Bez, uZeile == 0 ? "w" : "a");
    if (fp == nullptr) return 0;
    // The line counts only when it reached the file, also through the final flush.
    bool bOk = std::fwrite(cZeile, 1, uLen, fp) == uLen;
    if (std::fclose(fp) != 0) bOk = false;
    if (!bOk) return -3;
    if (uZeile < uUT_EL_ZeileMax) uZeile++;
    return 0;
}

int UT_ERR_LOG(const char *cRoutine, int iErr, int iCode, const char *cText) {
    int ier = 0;
    if (EL_LIMIT()) ier = UT_FI_CUT(cUT_EL_Bez, &uZeile, 256);

    // 256 characters at most, line feed included.
    char cZeile[257];
    int n = 0;
    cZeile[0] = '\0';
    if (cRoutine != nullptr) {
        n = std::snprintf(cZeile, 256, "%s  %s:  %d (0x%04X) / %d (0x%04X)", UT_T_TIME(), cRoutine, iErr,
                          static_cast<unsigned>(iErr), iCode, static_cast<unsigned>(iCode));
        if (n < 0) n = 0;
        if (n > 255) n = 255;
    }
    if (cText != nullptr && cText[0] != '\0') {
        int iRest = 251 - n;
        if (iRest > 0) {
            int nStd = n;
            std::snprintf(cZeile + n, sizeof cZeile - static_cast<std::size_t>(n), "  (%.*s", iRest, cText);
            n = UT_NORM_STRING(cZeile);
            if (n == nStd + 3) n = nStd; // a text of blanks: the "  (" goes as well
            cZeile[n++] = ')';
            cZeile[n] = '\0';
        }
    }
    cZeile[n++] = '\n';
    cZeile[n] = '\0';

    switch (ucUT_EL_Typ) {
    case 1: // operating protocol; its result is not ours to report
        UT_DR_OPROT(cZeile);
        break;
    case 255: {
        int r = EL_FILE(cZeile, static_cast<std::size_t>(n));
        if (r != 0) ier = r;
        break;
    }
    default:
        break;
    }
    return ier;
}
