// State text of an attribute code from the catalogue "cfg/dp_atb.txt", for matching device state texts.
// The scanner asks up to 256 times per state of every object, so the catalogue is kept in memory and read
// again only when the file has changed (identity, size or time); the file is looked at no more than once per
// millisecond.
#include <array>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <vector>
#include "runtime/ut/ut.h"

static const char cRoutine[] = "UT_DP_ATBTEXT";
static const char cDatei[] = "cfg/dp_atb.txt";

constexpr int ATB_STUECK = 64; // one read of the file: at most 63 characters and the terminator
constexpr int ATB_SLOTS = 10;  // state indices a mask can select: 0 to 8, and 255 in the last slot
constexpr long ATB_PRUEF_US = 1000;

static char cTextBuf[65];

// The catalogue as last read: every piece of at most 63 characters, and for each code and state slot the
// first piece that answers it (-1 = none).
static std::vector<std::array<char, ATB_STUECK>> vAtbStueck;
static short sAtbTreffer[256][ATB_SLOTS];
static bool bAtbGeladen = false;
static int iAtbErrno = 0; // system error number of the last failed look at the file
static struct stat stAtbDatei;
static bool bAtbGeprueft = false;
static struct timeval tvAtbPruef;

static int ATB_SLOT(int iIndex) {
    if (iIndex >= 0 && iIndex <= 8) return iIndex;
    return iIndex == 255 ? 9 : -1;
}

static bool ATB_GLEICH(const struct stat &a, const struct stat &b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// Reads the whole file the way a line-by-line search would see it and notes the first answer per code/state.
static void ATB_LADEN() {
    bAtbGeladen = false;
    vAtbStueck.clear();
    std::memset(sAtbTreffer, 0xFF, sizeof sAtbTreffer);
    FILE *fp = std::fopen(cDatei, "rt");
    if (fp == nullptr) {
        iAtbErrno = errno;
        return;
    }
    if (fstat(fileno(fp), &stAtbDatei) != 0) stAtbDatei = {};
    std::array<char, ATB_STUECK> cZeile;
    while (std::fgets(cZeile.data(), ATB_STUECK, fp) != nullptr) {
        int iKode = -1, iIndex = -1;
        char c = 0;
        bool bEintrag = std::sscanf(cZeile.data(), "%3d%c%1d", &iKode, &c, &iIndex) == 3 && cZeile[3] == ',';
        if (!bEintrag) {
            if (std::strlen(cZeile.data()) < 2 || cZeile[1] != ',') continue;
            if (std::sscanf(cZeile.data() + 2, "%3d", &iIndex) != 1) continue;
        }
        int iSlot = ATB_SLOT(iIndex);
        if (iSlot < 0) continue;
        short sNr = static_cast<short>(vAtbStueck.size());
        bool bGebraucht = false;
        for (int k = 0; k < 256; k++) {
            if (bEintrag && k != iKode) continue;
            if (sAtbTreffer[k][iSlot] < 0) {
                sAtbTreffer[k][iSlot] = sNr;
                bGebraucht = true;
            }
        }
        if (bGebraucht) vAtbStueck.push_back(cZeile);
    }
    std::fclose(fp);
    bAtbGeladen = true;
}

// Brings the catalogue in memory up to date with the file.
static void ATB_PRUEFEN() {
    struct timeval tv;
    UT_CLOCK_GET(&tv);
    long lDiff = (tv.tv_sec - tvAtbPruef.tv_sec) * 1000000L + (tv.tv_usec - tvAtbPruef.tv_usec);
    if (bAtbGeprueft && lDiff < ATB_PRUEF_US && lDiff > -ATB_PRUEF_US) return;
    bAtbGeprueft = true;
    tvAtbPruef = tv;
    struct stat st;
    if (stat(cDatei, &st) != 0) {
        iAtbErrno = errno;
        bAtbGeladen = false;
        vAtbStueck.clear();
        return;
    }
    if (!bAtbGeladen || !ATB_GLEICH(st, stAtbDatei)) ATB_LADEN();
}

char *UT_DP_ATBTEXT(unsigned char ucKode, unsigned char ucMaske) {
    cTextBuf[0] = '\0';
    int iIndex = 0;
    if (ucMaske == 0xFF)
        iIndex = 255;
    else if (ucMaske != 0)
        iIndex = 1 + __builtin_ctz(ucMaske);

    ATB_PRUEFEN();
    if (!bAtbGeladen) {
        UT_ERR_LOG(cRoutine, -1, iAtbErrno, cDatei);
        std::snprintf(cTextBuf, sizeof cTextBuf, "%s", "UT_DP_ATBTEXT:  OPEN-Fehler");
        return cTextBuf;
    }
    short sNr = sAtbTreffer[ucKode][ATB_SLOT(iIndex)];
    if (sNr >= 0) {
        std::snprintf(cTextBuf, sizeof cTextBuf, "%s", vAtbStueck[static_cast<std::size_t>(sNr)].data());
        if (UT_NORM_STRING(cTextBuf) > 8) return cTextBuf + 8;
    }
    std::snprintf(cTextBuf, sizeof cTextBuf, "??? ( ATB-Kode: %d,%d )", ucKode, iIndex);
    return cTextBuf;
}
