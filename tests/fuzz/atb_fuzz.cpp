// libFuzzer target for the attribute text catalogue. Each input is four look-ups (code and state mask, 2
// bytes each) and then the content of "cfg/dp_atb.txt"; an input of the look-ups alone means there is no
// file. Every input gets a file with a modification time of its own, and the clock moves on a second per
// reading, so the catalogue is read anew for every input. Each text returned fits the 65-byte buffer, may be
// changed in place, and is the one a plain search of the file line by line finds: the catalogue kept in
// memory must answer as the file does.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include "fuzz/fz.h"
#include "runtime/ut/ut.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FZ_TEMP_DIR();
    if (mkdir("cfg", 0755) != 0) std::abort();
    UT_CLOCK_SET(FZ_UHR);
    TEST_T_fpout = FZ_SENKE();
    return 0;
}

// The text for code and state index as the line-by-line search over the file's pieces of at most 63
// characters finds it.
static std::string SUCHE(const unsigned char *ucDatei, std::size_t uSize, int iKode, int iIndex) {
    FILE *fp = fmemopen(const_cast<unsigned char *>(ucDatei), uSize, "r");
    char cZeile[64], cText[65];
    bool bGefunden = false;
    while (fp != nullptr && !bGefunden && std::fgets(cZeile, sizeof cZeile, fp) != nullptr) {
        int k = -1, n = -1;
        char c;
        if (std::sscanf(cZeile, "%3d%c%1d", &k, &c, &n) == 3 && cZeile[3] == ',')
            bGefunden = k == iKode && n == iIndex;
        else if (std::strlen(cZeile) >= 2 && cZeile[1] == ',' && std::sscanf(cZeile + 2, "%3d", &n) == 1)
            bGefunden = n == iIndex;
    }
    if (fp != nullptr) std::fclose(fp);
    if (bGefunden) {
        std::snprintf(cText, sizeof cText, "%s", cZeile);
        if (UT_NORM_STRING(cText) > 8) return cText + 8;
    }
    std::snprintf(cText, sizeof cText, "??? ( ATB-Kode: %d,%d )", iKode, iIndex);
    return cText;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *ucData, std::size_t uSize) {
    if (uSize < 8) return 0;
    static long lMtime = 1000000000;
    const unsigned char *ucDatei = ucData + 8;
    const std::size_t uDatei = uSize - 8;
    if (uDatei == 0) {
        std::remove("cfg/dp_atb.txt");
    } else {
        FZ_FILE("cfg/dp_atb.txt", ucDatei, uDatei);
        const struct timespec ts[2] = {{lMtime, 0}, {lMtime, 0}};
        lMtime++;
        if (utimensat(AT_FDCWD, "cfg/dp_atb.txt", ts, 0) != 0) std::abort();
    }
    for (int i = 0; i < 4; i++) {
        const unsigned char ucKode = ucData[2 * i], ucMaske = ucData[2 * i + 1];
        char *c = UT_DP_ATBTEXT(ucKode, ucMaske);
        FZ_CHECK(c != nullptr && strnlen(c, 65) <= 64);
        const int iIndex = ucMaske == 0 ? 0 : ucMaske == 0xFF ? 255 : 1 + __builtin_ctz(ucMaske);
        if (uDatei == 0)
            FZ_CHECK(std::strcmp(c, "UT_DP_ATBTEXT:  OPEN-Fehler") == 0);
        else
            FZ_CHECK(SUCHE(ucDatei, uDatei, ucKode, iIndex) == c);
        for (; *c != '\0'; c++) // the caller may change the text in place
            *c = (char)std::toupper((unsigned char)*c);
    }
    return 0;
}
