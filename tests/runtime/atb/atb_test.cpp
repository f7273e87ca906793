// Attribute text catalogue: line kinds, state masks, fallbacks, a missing file, and a catalogue that changes
// while the program runs.
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include "runtime/ut/ut.h"
#include "support/nt_tmpdir.h"

namespace {

// Each test works in a directory of its own with its own catalogue and a standing clock.
class Atb : public NtKatalogTest {
  protected:
    void TearDown() override {
        ucUT_EL_Typ = 0;
        NtKatalogTest::TearDown();
    }
    static std::string T(int iKode, int iMaske) {
        return UT_DP_ATBTEXT(static_cast<unsigned char>(iKode), static_cast<unsigned char>(iMaske));
    }
};

TEST_F(Atb, MaskSelectsStateIndexByLowestSetBit) {
    KATALOG("017,0   NULL\n017,1   EINS\n017,2   ZWEI\n017,3   DREI\n017,8   ACHT\n"
            "X,255   ALLE\n");
    EXPECT_EQ(T(17, 0x00), "NULL");
    EXPECT_EQ(T(17, 0x01), "EINS");
    EXPECT_EQ(T(17, 0x04), "DREI");
    EXPECT_EQ(T(17, 0x06), "ZWEI");
    EXPECT_EQ(T(17, 0x80), "ACHT");
    EXPECT_EQ(T(17, 0xFF), "ALLE");
    EXPECT_EQ(T(200, 0xFF), "ALLE");
}

TEST_F(Atb, EntryLinesAndWhatIsNotOne) {
    KATALOG("017,1   EIN\n"
            "17,1    ZWEISTELLIG\n" // comma in column 3: neither kind of line
            " 18,1   MIT BLANK\n"   // leading blank before the code is allowed
            "019,1\n"               // no text after column 8
            "020,1   Text mit Blanks  \r\n"
            "021, 1  Ziffer nach Blank\n");
    EXPECT_EQ(T(17, 1), "EIN");
    EXPECT_EQ(T(17, 2), "??? ( ATB-Kode: 17,2 )");
    EXPECT_EQ(T(18, 1), "MIT BLANK");
    EXPECT_EQ(T(19, 1), "??? ( ATB-Kode: 19,1 )");
    EXPECT_EQ(T(20, 1), "Text mit Blanks");
    EXPECT_EQ(T(21, 1), "Ziffer nach Blank");
    EXPECT_EQ(T(255, 0), "??? ( ATB-Kode: 255,0 )");
}

TEST_F(Atb, GenericLineAnswersEveryCodeWhoseEntryComesLater) {
    KATALOG("045,0   AUS\n"
            "X,0     ALLGEMEIN\n"
            "017,0   ZU SPAET\n");
    EXPECT_EQ(T(45, 0), "AUS");
    EXPECT_EQ(T(17, 0), "ALLGEMEIN");
    EXPECT_EQ(T(0, 0), "ALLGEMEIN");
    EXPECT_EQ(T(17, 1), "??? ( ATB-Kode: 17,1 )");
}

// A line longer than 63 characters is read in pieces, and each piece counts as a line of its own.
TEST_F(Atb, LongLineIsExaminedInPiecesOf63) {
    KATALOG(std::string(63, '-') + "017,1   AUS DEM REST\n" + "016,1   " + std::string(70, 'A') + "\n");
    EXPECT_EQ(T(17, 1), "AUS DEM REST");
    EXPECT_EQ(T(16, 1), std::string(55, 'A'));
}

TEST_F(Atb, CallerMayChangeTheTextInPlace) {
    KATALOG("017,1   Ein\n");
    char *p = UT_DP_ATBTEXT(17, 1);
    for (char *q = p; *q; q++)
        *q = 'x';
    EXPECT_STREQ(UT_DP_ATBTEXT(17, 1), "Ein");
}

TEST_F(Atb, MissingFileGivesOpenTextAndOneLogLinePerCall) {
    ucUT_EL_Typ = 255;
    std::snprintf(cUT_EL_Bez, sizeof cUT_EL_Bez, "%s", "err.log");
    WEITER();
    UT_LOOPTIME(); // the error log writes only once the free disk space has been measured
    char *p = UT_DP_ATBTEXT(17, 1);
    EXPECT_STREQ(p, "UT_DP_ATBTEXT:  OPEN-Fehler");
    for (char *q = p; *q; q++)
        *q = static_cast<char>(std::toupper(static_cast<unsigned char>(*q)));
    EXPECT_STREQ(UT_DP_ATBTEXT(18, 0), "UT_DP_ATBTEXT:  OPEN-Fehler");
    EXPECT_STREQ(UT_DP_ATBTEXT(19, 0), "UT_DP_ATBTEXT:  OPEN-Fehler");
    std::ifstream f("err.log");
    std::string s;
    int n = 0;
    while (std::getline(f, s)) {
        EXPECT_NE(s.find("UT_DP_ATBTEXT:  -1 (0xFFFFFFFF) / 2 (0x0002)  (cfg/dp_atb.txt)"), std::string::npos)
            << s;
        n++;
    }
    EXPECT_EQ(n, 3);
}

// The catalogue is kept in memory, but an edited, replaced or removed file is noticed at the next lookup.
TEST_F(Atb, ChangedFileIsReadAgain) {
    KATALOG("017,1   EIN\n");
    EXPECT_EQ(T(17, 1), "EIN");
    KATALOG("017,1   AN!\n"); // same size
    EXPECT_EQ(T(17, 1), "AN!");

    // Replaced by another file with the same size and the same times: only its identity differs.
    std::ofstream("cfg/neu.txt") << "017,1   ZU!\n";
    struct stat st;
    ASSERT_EQ(stat("cfg/dp_atb.txt", &st), 0);
    struct timespec ts[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, "cfg/neu.txt", ts, 0), 0);
    ASSERT_EQ(rename("cfg/neu.txt", "cfg/dp_atb.txt"), 0);
    WEITER();
    EXPECT_EQ(T(17, 1), "ZU!");

    ASSERT_EQ(unlink("cfg/dp_atb.txt"), 0);
    WEITER();
    EXPECT_EQ(T(17, 1), "UT_DP_ATBTEXT:  OPEN-Fehler");
    KATALOG("017,1   WIEDER\n");
    EXPECT_EQ(T(17, 1), "WIEDER");
}

} // namespace
