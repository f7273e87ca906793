// libFuzzer target for CSV lines. Each input is a separator (1 byte), a switch byte (low 4 bits: field count
// asked for, minus 2, so -2 to 13; bit 7: the converter's output trace on) and text. The text up to its first
// zero byte is split with UT_CSV_SCAN: no more fields than asked for and than the line has separators plus
// one, each inside the line and free of the separator, together the line's beginning. The whole text is then
// a CSV file (without its heading line) for the converter's record loop, read from and written to memory:
// no failure but a faulty record, every output line within the line buffer, on success one data line per
// record.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "converter/tk.h"
#include "fuzz/fz.h"
#include "runtime/ut/ut.h"

static char cAus[1 << 20]; // tabconv.ref; a 1024-byte input makes at most 1024 lines of 512 bytes

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FZ_TEMP_DIR();
    UT_CLOCK_SET(FZ_UHR);
    char cName[] = "TABCONV";
    char *argv[] = {cName, nullptr};
    UT_INIT(1, argv);
    TEST_T_fpout = FZ_SENKE();
    return 0;
}

static void FELDER(char cSep, int iMax, const std::string &sZeile) {
    std::vector<char> vText(sZeile.begin(), sZeile.end());
    vText.push_back('\0');
    char *cText = vText.data();
    const char *cEnde = cText + sZeile.size();
    std::vector<char *> vFeld((std::size_t)(iMax > 0 ? iMax : 0));
    const int n = UT_CSV_SCAN(cText, cSep, iMax, vFeld.data());
    const std::size_t uSeps = cSep != '\0' ? (std::size_t)std::count(sZeile.begin(), sZeile.end(), cSep) : 0;
    FZ_CHECK(iMax <= 0 ? n == 0 : n >= 1 && n <= iMax);
    FZ_CHECK((std::size_t)n <= uSeps + 1 && (std::size_t)n <= sZeile.size() + 1);
    std::string sZusammen;
    for (int i = 0; i < n; i++) {
        FZ_CHECK(vFeld[i] >= cText && vFeld[i] <= cEnde);
        FZ_CHECK(i == 0 || vFeld[i] > vFeld[i - 1]);
        const std::string sFeld = vFeld[i];
        FZ_CHECK(vFeld[i] + sFeld.size() <= cEnde);
        FZ_CHECK(cSep == '\0' || sFeld.find(cSep) == std::string::npos);
        if (i > 0) sZusammen += cSep;
        sZusammen += sFeld;
    }
    for (int i = n; i < iMax; i++)
        FZ_CHECK(vFeld[i] == cEnde);
    // the fields are the line's beginning; only a line with more fields than asked for loses its rest
    FZ_CHECK(sZeile.compare(0, sZusammen.size(), sZusammen) == 0);
    FZ_CHECK(sZusammen.size() == sZeile.size() || n == iMax || iMax <= 0);
}

// Records the loop reads: pieces of at most 254 characters.
static int SAETZE(const unsigned char *uc, std::size_t u) {
    FILE *fp = fmemopen(const_cast<unsigned char *>(uc), u, "r");
    int n = 0;
    char c[255];
    while (std::fgets(c, sizeof c, fp) != nullptr)
        n++;
    std::fclose(fp);
    return n;
}

static void SCHLEIFE(const unsigned char *uc, std::size_t u) {
    fpTK_CSV = u > 0 ? fmemopen(const_cast<unsigned char *>(uc), u, "r") : fopen("/dev/null", "r");
    fpTK_REF = fmemopen(cAus, sizeof cAus, "w");
    FZ_CHECK(fpTK_CSV != nullptr && fpTK_REF != nullptr);
    std::setvbuf(fpTK_REF, nullptr, _IONBF, 0);
    iTK_TrbId = -1;
    uTK_REF_Fill = 0;
    const int ier = TK_DP_LOOP();
    const long lAus = std::ftell(fpTK_REF);
    std::fclose(fpTK_CSV);
    std::fclose(fpTK_REF);
    FZ_CHECK(ier == 0 || ier == -21 || ier == -22);
    FZ_CHECK(lAus >= 0 && lAus < (long)sizeof cAus);
    int iZeilen = 0;
    for (const char *p = cAus, *e = cAus + lAus; p < e; iZeilen++) {
        const char *nl = static_cast<const char *>(std::memchr(p, '\n', (std::size_t)(e - p)));
        FZ_CHECK(nl != nullptr && nl - p < (long)sizeof cTK_REF_Buf);
        p = nl + 1;
    }
    const int iSaetze = SAETZE(uc, u);
    FZ_CHECK(iZeilen <= 2 * iSaetze);
    if (ier == 0) FZ_CHECK(iZeilen >= iSaetze);
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *ucData, std::size_t uSize) {
    if (uSize < 2) return 0;
    const char cSep = (char)ucData[0];
    const int iMax = (ucData[1] & 15) - 2;
    TEST_T_O = (ucData[1] & 0x80) != 0;
    const char *cText = reinterpret_cast<const char *>(ucData + 2);
    FELDER(cSep, iMax, std::string(cText, strnlen(cText, uSize - 2)));
    SCHLEIFE(ucData + 2, uSize - 2);
    TEST_T_O = 0;
    return 0;
}
