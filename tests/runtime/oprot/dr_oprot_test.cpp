// Operating protocol: every output type, paging with and without page header, the queue and print-file
// limits, the output status while the output cannot be opened, and the error log delivering through it.
// The printer's state lives for the process, so every case runs in a child of its own.
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include "runtime/ut/ut.h"
#include "support/nt_kind.h"
#include "support/nt_uhr.h"

namespace {

const std::string cStrich = std::string(132, '-') + "\n\r";
const std::string cSpalten =
    "Datum     Uhrzeit   Obj.  Datenpunkt-Adr.   Bezeichnung              Meldung\n\r";

// Start-up at 17.05.24 13:45:30 with the given output.
void DR_START(unsigned char ucTyp, const char *cBez, unsigned char ucZeilen) {
    NT_UHR(2024, 5, 17, 13, 45, 30);
    ASSERT_EQ(UT_INIT(0, nullptr), 0);
    ucUT_DR_Typ = ucTyp;
    std::snprintf(cUT_DR_Bez, sizeof cUT_DR_Bez, "%s", cBez);
    ucUT_DR_Zeilen = ucZeilen;
}

// Calls with an empty line until the printer is idle; the number of calls (1000: it never was).
int LEEREN() {
    int n = 1;
    while (UT_DR_OPROT("") != 0 && n < 1000)
        n++;
    return n;
}

void MELDUNGEN(int iVon, int iBis) {
    for (int i = iVon; i <= iBis; i++)
        UT_DR_OPROT(("Meldung " + std::to_string(i) + "\n").c_str());
}

std::string GEDRUCKT(int iVon, int iBis, const char *cEnde = "\n\r") {
    std::string s;
    for (int i = iVon; i <= iBis; i++)
        s += "Meldung " + std::to_string(i) + cEnde;
    return s;
}

} // namespace

TEST(OperatingProtocol, PrintFileType10) {
    NT_IM_KIND([] {
        DR_START(10, "druck.txt", 0);
        // Three calls bring a line out: fetch, write, account.
        EXPECT_EQ(UT_DR_OPROT("Meldung 1"), 1);
        EXPECT_FALSE(NT_GIBT_ES("druck.txt"));
        EXPECT_EQ(UT_DR_OPROT(""), 1);
        EXPECT_EQ(NT_DATEI("druck.txt"), GEDRUCKT(1, 1));
        EXPECT_EQ(UT_DR_OPROT(""), 0);
        MELDUNGEN(2, 4);
        LEEREN();
        EXPECT_EQ(NT_DATEI("druck.txt"), GEDRUCKT(1, 4));
        EXPECT_EQ(UT_DR_OPROT(""), 0);
        EXPECT_FALSE(NT_GIBT_ES("DR_OPROT.WSL"));
    });
}

TEST(OperatingProtocol, PrintFileType20CountsAndCutsItsLines) {
    NT_IM_KIND([] {
        DR_START(20, "druck.txt", 0);
        MELDUNGEN(1, 3);
        LEEREN();
        EXPECT_EQ(NT_DATEI("druck.txt"), GEDRUCKT(1, 3, "\n"));
        EXPECT_EQ(uUT_DR_AnzPRT, 3u);
        // Over the line limit the oldest fifth of the counted lines goes before the next line is written.
        uUT_DR_AnzWSL = 5;
        for (int i = 4; i <= 7; i++) {
            MELDUNGEN(i, i);
            LEEREN();
        }
        EXPECT_EQ(NT_DATEI("druck.txt"), GEDRUCKT(2, 7, "\n"));
        EXPECT_EQ(uUT_DR_AnzPRT, 6u);
    });
}

TEST(OperatingProtocol, PagesOfTenLinesWithoutTitle) {
    NT_IM_KIND([] {
        DR_START(10, "druck.txt", 10);
        MELDUNGEN(1, 8);
        LEEREN();
        std::string cKopf = "\r" + cStrich + cSpalten + cStrich;
        EXPECT_EQ(NT_DATEI("druck.txt"), cKopf + GEDRUCKT(1, 6) + "\f" + cKopf + GEDRUCKT(7, 8));
    });
}

TEST(OperatingProtocol, PageHeaderWithTitleStationAndPageNumber) {
    NT_IM_KIND([] {
        DR_START(10, "druck.txt", 5);
        uUT_ProdId = 2;
        std::memcpy(UT_KK_CFG + 1, "Station Nord", 13);
        MELDUNGEN(1, 2);
        LEEREN();
        auto TITEL = [](int iSeite) {
            std::string s(132, ' ');
            s.replace(0, 28, "W\x84hlzentrale Fernwirktechnik");
            s.replace(37, 12, "Station Nord");
            s.replace(87, 45, "Datum : 17.05.24  13:45:30       Seite :    " + std::to_string(iSeite));
            return s + "\n\r";
        };
        std::string cIsdn = "Datum     Uhrzeit   ISDN-Rufnummer      Status      Bemerkung\n\r";
        EXPECT_EQ(NT_DATEI("druck.txt"), TITEL(1) + cStrich + cIsdn + cStrich + GEDRUCKT(1, 1) + "\f" +
                                             TITEL(2) + cStrich + cIsdn + cStrich + GEDRUCKT(2, 2) + "\f");
    });
}

TEST(OperatingProtocol, FormFeedAfterEveryThreeLines) {
    NT_IM_KIND([] {
        DR_START(10, "druck.txt", 3);
        MELDUNGEN(1, 7);
        LEEREN();
        EXPECT_EQ(NT_DATEI("druck.txt"), GEDRUCKT(1, 3) + "\f" + GEDRUCKT(4, 6) + "\f" + GEDRUCKT(7, 7));
    });
}

TEST(OperatingProtocol, DeviceHoldsOnlyTheLastLine) {
    NT_IM_KIND([] {
        DR_START(1, "geraet", 0);
        MELDUNGEN(1, 3);
        LEEREN();
        EXPECT_EQ(NT_DATEI("geraet"), GEDRUCKT(3, 3));
        EXPECT_EQ(ucUT_DR_STAT, 0);
    });
}

TEST(OperatingProtocol, FailedWriteToThePrintFileSetsTheStatus) {
    NT_IM_KIND([] {
        ASSERT_EQ(symlink("/dev/full", "druck.txt"), 0);
        DR_START(10, "druck.txt", 0);
        MELDUNGEN(1, 1);
        UT_DR_OPROT("");
        EXPECT_EQ(ucUT_DR_STAT, 1);
    });
}

TEST(OperatingProtocol, Type255KeepsTheQueueWithinItsLimit) {
    NT_IM_KIND([] {
        DR_START(255, "druck.txt", 0);
        uUT_DR_AnzWSL = 10;
        MELDUNGEN(1, 10);
        EXPECT_EQ(WSL_UT_DR_OPROT.lAnz, -10);
        EXPECT_EQ(UT_DR_OPROT("Meldung 11\n"), 1);
        // Eleven over a limit of ten: the oldest two went.
        EXPECT_EQ(WSL_UT_DR_OPROT.lAnz, -9);
        EXPECT_EQ(NT_DATEI("DR_OPROT.WSL"), GEDRUCKT(3, 11, "\n"));
        EXPECT_FALSE(NT_GIBT_ES("druck.txt"));
    });
}

TEST(OperatingProtocol, Type0EmptiesTheQueueAlsoWithPaging) {
    NT_IM_KIND([] {
        DR_START(0, "druck.txt", 10);
        MELDUNGEN(1, 5);
        EXPECT_LT(LEEREN(), 1000);
        EXPECT_EQ(WSL_UT_DR_OPROT.lAnz, 0);
        EXPECT_FALSE(NT_GIBT_ES("druck.txt"));
        EXPECT_FALSE(NT_GIBT_ES("DR_OPROT.WSL"));
    });
}

TEST(OperatingProtocol, StatusWhileTheOutputStaysAwayFor25Seconds) {
    NT_IM_KIND([] {
        ASSERT_EQ(mkdir("aus", 0755), 0);
        DR_START(10, "aus/druck.txt", 0);
        UT_DR_OPROT("Meldung 1\n");
        UT_DR_OPROT("Meldung 2\n"); // Meldung 1 written at 13:45:30
        ASSERT_EQ(NT_DATEI("aus/druck.txt"), GEDRUCKT(1, 1));
        ASSERT_EQ(std::remove("aus/druck.txt"), 0);
        ASSERT_EQ(rmdir("aus"), 0);
        std::vector<int> gesetzt;
        for (int k = 1; k <= 25; k++) {
            NT_UHR(2024, 5, 17, 13, 45, 30 + k);
            UT_LOOPTIME();
            ucUT_DR_STAT = 0;
            UT_DR_OPROT("");
            if (ucUT_DR_STAT != 0) gesetzt.push_back(k);
        }
        EXPECT_EQ(gesetzt, (std::vector<int>{10, 20}));
        ASSERT_EQ(mkdir("aus", 0755), 0);
        NT_UHR(2024, 5, 17, 13, 45, 56);
        UT_LOOPTIME();
        UT_DR_OPROT("");
        EXPECT_EQ(NT_DATEI("aus/druck.txt"), GEDRUCKT(2, 2));
        EXPECT_EQ(ucUT_DR_STAT, 0);
    });
}

TEST(OperatingProtocol, StatusAtOnceWhenNothingWasEverWritten) {
    NT_IM_KIND([] {
        DR_START(1, "fehlt/geraet", 0);
        UT_DR_OPROT("Meldung 1\n");
        EXPECT_EQ(ucUT_DR_STAT, 0);
        UT_DR_OPROT("");
        EXPECT_EQ(ucUT_DR_STAT, 1);
    });
}

TEST(OperatingProtocol, LongLinesArePrintedWhole) {
    NT_IM_KIND([] {
        DR_START(10, "druck.txt", 0);
        std::string cLang(255, 'L');
        UT_DR_OPROT(cLang.c_str());
        LEEREN();
        EXPECT_EQ(NT_DATEI("druck.txt"), cLang + "\n\r");
    });
}

TEST(OperatingProtocol, UnreadableQueueDoesNotRepeatTheLastLine) {
    NT_IM_KIND([] {
        DR_START(255, "druck.txt", 0);
        MELDUNGEN(1, 3);
        ASSERT_EQ(std::remove("DR_OPROT.WSL"), 0);
        ucUT_DR_Typ = 10;
        LEEREN();
        EXPECT_EQ(NT_DATEI("druck.txt"), GEDRUCKT(1, 1));
    });
}

TEST(OperatingProtocol, StartUpTakesUpTheQueueOfAnEarlierRun) {
    NT_IM_KIND([] {
        std::ofstream("DR_OPROT.WSL") << "Meldung 1\nMeldung 2\n";
        DR_START(10, "druck.txt", 0);
        EXPECT_EQ(WSL_UT_DR_OPROT.lAnz, -2);
        MELDUNGEN(3, 3);
        LEEREN();
        EXPECT_EQ(NT_DATEI("druck.txt"), GEDRUCKT(1, 3));
    });
    NT_IM_KIND([] {
        ASSERT_EQ(mkdir("DR_OPROT.WSL", 0755), 0);
        EXPECT_EQ(UT_INIT(0, nullptr), -12);
    });
}

TEST(OperatingProtocol, ErrorLogDestination1ReachesThePrintFile) {
    NT_IM_KIND([] {
        DR_START(10, "druck.txt", 0);
        ucUT_EL_Typ = 1;
        UT_ERR_LOG("IP_RECV", -10, 11, "RECVFROM");
        // The longest error line: 255 characters and the line feed.
        UT_ERR_LOG("IP_RECV", -10, 11, std::string(300, 't').c_str());
        LEEREN();
        std::string cStd = "17.05.24  13:45:30  IP_RECV:  -10 (0xFFFFFFF6) / 11 (0x000B)";
        std::string cLang = cStd + "  (" + std::string(251 - cStd.size(), 't') + ")";
        EXPECT_EQ(cLang.size(), 255u);
        EXPECT_EQ(NT_DATEI("druck.txt"), cStd + "  (RECVFROM)\n\r" + cLang + "\n\r");
    });
}
