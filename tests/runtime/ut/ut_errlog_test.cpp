// Error log: the line format, the file destination, the line and size limits with their cut, and write
// failures. The line counter is per process, so every case runs in a child process of its own.
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>
#include "runtime/ut/ut.h"
#include "support/nt_kind.h"
#include "support/nt_uhr.h"
#include "support/trc_probe.h"

namespace {

std::vector<std::string> ZEILEN(const char *cName) {
    std::vector<std::string> v;
    std::ifstream f(cName);
    for (std::string z; std::getline(f, z);)
        v.push_back(z);
    return v;
}

// Runs one case in a child process and working directory of its own, with the clock at 17.05.24 13:45:30 and
// the error log going to "err.log".
template <class F> void IM_KIND(F fn) {
    NT_IM_KIND([&] {
        NT_UHR(2024, 5, 17, 13, 45, 30);
        UT_LOOPTIME();
        ulUT_EL_SizeWSL = 0xFFFFFFFF; // the start-up's value: no size limit
        ucUT_EL_Typ = 255;
        std::snprintf(cUT_EL_Bez, sizeof cUT_EL_Bez, "%s", "err.log");
        fn();
    });
}

void ALT_INHALT() {
    std::ofstream("err.log") << "alt 1\nalt 2\n";
}

} // namespace

TEST(ErrorLog, LineFormat) {
    IM_KIND([] {
        EXPECT_EQ(UT_ERR_LOG("IP_RECV", -10, 11, "RECVFROM"), 0);
        EXPECT_EQ(UT_ERR_LOG("UT_X", 0, 255, nullptr), 0);
        EXPECT_EQ(UT_ERR_LOG("UT_Y", -1, 0, ""), 0);
        EXPECT_EQ(NT_DATEI("err.log"),
                  "17.05.24  13:45:30  IP_RECV:  -10 (0xFFFFFFF6) / 11 (0x000B)  (RECVFROM)\n"
                  "17.05.24  13:45:30  UT_X:  0 (0x0000) / 255 (0x00FF)\n"
                  "17.05.24  13:45:30  UT_Y:  -1 (0xFFFFFFFF) / 0 (0x0000)\n");
    });
}

TEST(ErrorLog, BlankTextAndNullRoutine) {
    IM_KIND([] {
        UT_ERR_LOG("IP_RECV", -10, 11, "   ");
        UT_ERR_LOG(nullptr, -10, 11, "x");
        UT_ERR_LOG("IP_RECV", -10, 11, "  a b  ");
        EXPECT_EQ(NT_DATEI("err.log"),
                  "17.05.24  13:45:30  IP_RECV:  -10 (0xFFFFFFF6) / 11 (0x000B))\n"
                  "  (x)\n"
                  "17.05.24  13:45:30  IP_RECV:  -10 (0xFFFFFFF6) / 11 (0x000B)  (  a b)\n");
    });
}

TEST(ErrorLog, LongTextsAreCutTo256Characters) {
    IM_KIND([] {
        std::string lang(400, 't');
        UT_ERR_LOG("IP_RECV", -10, 11, lang.c_str());
        // A standard part of 250 characters leaves room for one character, one of 251 for none.
        std::string name(197, 'R');
        UT_ERR_LOG(name.c_str(), -10, 11, "weg");
        name += 'R';
        UT_ERR_LOG(name.c_str(), -10, 11, "weg");
        // A standard part longer than a line is cut as well.
        std::string riesig(400, 'R');
        UT_ERR_LOG(riesig.c_str(), -10, 11, "weg");
        std::string d = NT_DATEI("err.log");
        std::vector<std::string> z = ZEILEN("err.log");
        ASSERT_EQ(z.size(), 4u);
        EXPECT_EQ(z[0], "17.05.24  13:45:30  IP_RECV:  -10 (0xFFFFFFF6) / 11 (0x000B)  (" +
                            std::string(191, 't') + ")");
        EXPECT_EQ(z[1].size(), 255u);
        EXPECT_EQ(z[1].substr(z[1].size() - 13), "(0x000B)  (w)");
        EXPECT_EQ(z[2].size(), 251u);
        EXPECT_EQ(z[2].substr(z[2].size() - 8), "(0x000B)");
        EXPECT_EQ(z[3].size(), 255u);
        EXPECT_EQ(d.size(), 256u + 256u + 252u + 256u);
    });
}

TEST(ErrorLog, ThreeLinesReplaceOlderContent) {
    IM_KIND([] {
        ALT_INHALT();
        for (int i = 1; i <= 3; i++)
            EXPECT_EQ(UT_ERR_LOG("UT_T", -i, i, "z"), 0);
        std::vector<std::string> z = ZEILEN("err.log");
        ASSERT_EQ(z.size(), 3u);
        EXPECT_NE(z[0].find("UT_T:  -1 "), std::string::npos);
        EXPECT_NE(z[2].find("UT_T:  -3 "), std::string::npos);
    });
}

TEST(ErrorLog, DestinationZeroWritesNothing) {
    IM_KIND([] {
        ucUT_EL_Typ = 0;
        EXPECT_EQ(UT_ERR_LOG("UT_T", -1, 0, "z"), 0);
        ucUT_EL_Typ = 7;
        EXPECT_EQ(UT_ERR_LOG("UT_T", -1, 0, "z"), 0);
        EXPECT_NE(access("err.log", F_OK), 0);
    });
}

TEST(ErrorLog, LineLimitCutsTheOldestFifth) {
    IM_KIND([] {
        uUT_EL_AnzWSL = 10;
        for (int i = 1; i <= 11; i++)
            EXPECT_EQ(UT_ERR_LOG("UT_T", -1, i, nullptr), 0);
        // The eleventh call removed the two oldest of ten lines, then wrote its own: 9 lines, 3..11.
        std::vector<std::string> z = ZEILEN("err.log");
        ASSERT_EQ(z.size(), 9u);
        EXPECT_NE(z[0].find("/ 3 (0x0003)"), std::string::npos) << z[0];
        EXPECT_NE(z[8].find("/ 11 (0x000B)"), std::string::npos) << z[8];
        // 8 + 1 lines counted: two more calls reach the limit again and cut one fifth of 10.
        UT_ERR_LOG("UT_T", -1, 12, nullptr);
        EXPECT_EQ(ZEILEN("err.log").size(), 10u);
        UT_ERR_LOG("UT_T", -1, 13, nullptr);
        z = ZEILEN("err.log");
        ASSERT_EQ(z.size(), 9u);
        EXPECT_NE(z[0].find("/ 5 (0x0005)"), std::string::npos) << z[0];
    });
}

TEST(ErrorLog, SizeLimitOfTheConverter) {
    IM_KIND([] {
        ulUT_EL_SizeWSL = 0; // every existing file is over the limit
        for (int i = 1; i <= 6; i++)
            EXPECT_EQ(UT_ERR_LOG("UT_T", -1, i, nullptr), 0);
        // Below five counted lines a cut removes nothing; the sixth call removes one.
        std::vector<std::string> z = ZEILEN("err.log");
        ASSERT_EQ(z.size(), 5u);
        EXPECT_NE(z[0].find("/ 2 (0x0002)"), std::string::npos) << z[0];
    });
}

TEST(ErrorLog, MissingFileIsNeverOverTheSizeLimit) {
    IM_KIND([] {
        ucUT_EL_Typ = 0;
        ulUT_EL_SizeWSL = 100;
        std::snprintf(cUT_EL_Bez, sizeof cUT_EL_Bez, "%s", "fehlt.log");
        EXPECT_EQ(UT_ERR_LOG("UT_T", -1, 0, nullptr), 0);
    });
}

TEST(ErrorLog, CutOfAVanishedFileFailsButTheLineIsStillWritten) {
    IM_KIND([] {
        uUT_EL_AnzWSL = 1;
        UT_ERR_LOG("UT_T", -1, 1, nullptr);
        ASSERT_EQ(unlink("err.log"), 0);
        EXPECT_EQ(UT_ERR_LOG("UT_T", -1, 2, nullptr), -1);
        std::vector<std::string> z = ZEILEN("err.log");
        ASSERT_EQ(z.size(), 1u);
        EXPECT_NE(z[0].find("/ 2 (0x0002)"), std::string::npos);
    });
}

TEST(ErrorLog, LineThatDoesNotReachTheDiskIsReportedAndNotCounted) {
    IM_KIND([] {
        ASSERT_EQ(symlink("/dev/full", "err.log"), 0);
        EXPECT_EQ(UT_ERR_LOG("UT_T", -1, 1, nullptr), -3);
        // Not counted: the next line still starts the file afresh.
        ASSERT_EQ(unlink("err.log"), 0);
        ALT_INHALT();
        EXPECT_EQ(UT_ERR_LOG("UT_T", -1, 2, nullptr), 0);
        EXPECT_EQ(ZEILEN("err.log").size(), 1u);
    });
}

// The limit check asks the disk size first and the free space for each test that needs it; the figures are
// the cached ones (loop time 0: no new measurement), so only the trace shows the questions and their order.
TEST(ErrorLog, DiskLimitsAskSizeThenFreeSpacePerTest) {
    struct Fall {
        std::uint32_t ulSize, ulFree;
        const char *cFragen;
        int iErg;
    };
    const Fall faelle[] = {
        {0x2000000, 0x4000000, "UT_DISKSIZE UT_DISKFREE UT_DISKFREE ", 0}, // large disk, room: both tests
        {0x2000000, 0x100000, "UT_DISKSIZE UT_DISKFREE ", -1},             // large disk, full: cut (no file)
        {0x1000000, 0x4000000, "UT_DISKSIZE UT_DISKFREE ", 0},             // small disk: only the 30 KiB test
    };
    for (const Fall &f : faelle) {
        NT_IM_KIND([&] {
            ulUT_LOOPZeit = 0;
            ulUT_DiskSize = f.ulSize;
            ulUT_DiskFree = f.ulFree;
            ucUT_EL_Typ = 0;
            cUT_EL_Bez[0] = '\0';
            int ier = 0;
            TEST_T_A4 = 1;
            std::string sSpur = NT_TRC_SPUR([&] { ier = UT_ERR_LOG("UT_T", -1, 0, nullptr); });
            TEST_T_A4 = 0;
            std::string sFragen;
            for (std::size_t p = 0; (p = sSpur.find(")   UT_DISK", p)) != std::string::npos; p++)
                sFragen += sSpur.substr(p + 4, 11) + " ";
            EXPECT_EQ(sFragen, f.cFragen) << sSpur;
            EXPECT_EQ(ier, f.iErg);
        });
    }
}
