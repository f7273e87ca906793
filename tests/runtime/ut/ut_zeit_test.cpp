// Switch options, the time-stamp text, trailing-blank cutting and the packed date-time arithmetic.
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include "runtime/ut/ut.h"
#include "support/nt_kind.h"
#include "support/nt_uhr.h"

namespace {

void SCHALTER_AUS() {
    for (unsigned char *p : {&TEST_T_A, &TEST_T_A1, &TEST_T_A2, &TEST_T_A3, &TEST_T_A4, &TEST_T_I, &TEST_T_I1,
                             &TEST_T_I2, &TEST_T_I3, &TEST_T_O, &TEST_T_O1, &TEST_T_O2, &TEST_T_X, &TEST_Z_})
        *p = 0;
}

// The switches an option leaves set, as their option names.
std::string GESETZT(const char *cArg) {
    SCHALTER_AUS();
    UT_T_OPTION(cArg);
    static const struct {
        unsigned char *uc;
        const char *c;
    } Liste[] = {{&TEST_T_A, "A"},   {&TEST_T_A1, "A1"}, {&TEST_T_A2, "A2"}, {&TEST_T_A3, "A3"},
                 {&TEST_T_A4, "A4"}, {&TEST_T_I, "I"},   {&TEST_T_I1, "I1"}, {&TEST_T_I2, "I2"},
                 {&TEST_T_I3, "I3"}, {&TEST_T_O, "O"},   {&TEST_T_O1, "O1"}, {&TEST_T_O2, "O2"},
                 {&TEST_T_X, "X"},   {&TEST_Z_, "Z"}};
    std::string s;
    for (const auto &e : Liste)
        if (*e.uc) s += s.empty() ? e.c : std::string(" ") + e.c;
    return s;
}

} // namespace

TEST(SwitchOption, GrammarOfTheLetters) {
    EXPECT_EQ(GESETZT("-TA"), "A");
    EXPECT_EQ(GESETZT("-TA12"), "A1"); // only the character after A counts
    EXPECT_EQ(GESETZT("-TA1x"), "A1");
    EXPECT_EQ(GESETZT("/ta4"), "A4");
    EXPECT_EQ(GESETZT("-TA9"), "");
    EXPECT_EQ(GESETZT("-TA5"), "");
    EXPECT_EQ(GESETZT("-TAx"), "");
    EXPECT_EQ(GESETZT("-TI"), "I");
    EXPECT_EQ(GESETZT("-ti3"), "I3");
    EXPECT_EQ(GESETZT("-TI4"), "");
    EXPECT_EQ(GESETZT("-TO2"), "O2");
    EXPECT_EQ(GESETZT("-TO3"), "");
    EXPECT_EQ(GESETZT("-TX"), "X");
    EXPECT_EQ(GESETZT("-tx"), "X");
    EXPECT_EQ(GESETZT("-TX1"), "");
    EXPECT_EQ(GESETZT("-TXY"), "");
    EXPECT_EQ(GESETZT("-Z"), "Z");
    EXPECT_EQ(GESETZT("/zirgendwas"), "Z");
}

TEST(SwitchOption, NonOptionsAndShortArgumentsSetNothing) {
    for (const char *c : {"TA", "47809", "-", "/", "-T", "-t", "-Q", "-TQ", "-AX", ""})
        EXPECT_EQ(GESETZT(c), "") << c;
    EXPECT_EQ(GESETZT(nullptr), "");
}

class TraceFile : public ::testing::Test {
  protected:
    std::string dir;
    void SetUp() override {
        char t[] = "/tmp/ut_td_XXXXXX";
        ASSERT_NE(mkdtemp(t), nullptr);
        dir = t;
        TEST_T_fpout = stderr;
    }
    void TearDown() override {
        UT_T_CLOSE();
        std::string c = "rm -rf " + dir;
        ASSERT_EQ(std::system(c.c_str()), 0);
    }
};

TEST_F(TraceFile, OpensKeepsNameAndCloseFlushes) {
    std::string f = dir + "/trace.txt";
    UT_T_OPTION(("-TD" + f).c_str());
    ASSERT_NE(TEST_T_fpout, stderr);
    EXPECT_STREQ(TEST_T_filnam, f.c_str());
    UT_TRC_CONT("erste Zeile");
    UT_T_CLOSE();
    EXPECT_EQ(TEST_T_fpout, stderr);
    EXPECT_EQ(NT_DATEI(f.c_str()), "erste Zeile");
    // Given again (start-up and program both read -TD): the file is emptied, the earlier stream released.
    UT_T_OPTION(("-td" + f).c_str());
    UT_TRC_CONT("zweite");
    UT_T_OPTION(("-TD" + f).c_str());
    UT_TRC_CONT("dritte");
    UT_T_CLOSE();
    EXPECT_EQ(NT_DATEI(f.c_str()), "dritte");
}

TEST_F(TraceFile, UnopenableNameFallsBackToStandardError) {
    for (std::string f : {dir + "/fehlt/trace.txt", dir, std::string(), dir + "/" + std::string(130, 'n')}) {
        UT_T_OPTION(("-TD" + dir + "/gut.txt").c_str());
        ASSERT_NE(TEST_T_fpout, stderr);
        UT_T_OPTION(("-TD" + f).c_str());
        EXPECT_EQ(TEST_T_fpout, stderr) << f;
        EXPECT_STREQ(TEST_T_filnam, "") << f;
    }
    // A name too long to be kept is not created under another name either.
    std::string lang = dir + "/" + std::string(130, 'n');
    EXPECT_NE(access(lang.substr(0, 127).c_str(), F_OK), 0);
    EXPECT_NE(access(lang.c_str(), F_OK), 0);
}

TEST(TimeStamp, PaddedDayAndHour) {
    NT_UHR(2026, 12, 6, 7, 42, 48);
    EXPECT_STREQ(UT_T_TIME(), " 6.12.26   7:42:48");
    NT_UHR(2024, 5, 17, 13, 45, 30, 999999);
    EXPECT_STREQ(UT_T_TIME(), "17.05.24  13:45:30");
    UT_CLOCK_SET(nullptr);
}

TEST(NormString, CutsOnlyBlanksAndControlCharacters) {
    char a[] = "abc \t\r\n";
    EXPECT_EQ(UT_NORM_STRING(a), 3);
    EXPECT_STREQ(a, "abc");
    char b[] = "";
    EXPECT_EQ(UT_NORM_STRING(b), 0);
    char c[] = "    ";
    EXPECT_EQ(UT_NORM_STRING(c), 0);
    EXPECT_STREQ(c, "");
    // Letters of the code page and of UTF-8 at the end stay: CP850 sharp s, UTF-8 sharp s, DOS u-umlaut.
    char d[] = "Durchflu\xE1  ";
    EXPECT_EQ(UT_NORM_STRING(d), 9);
    EXPECT_STREQ(d, "Durchflu\xE1");
    char e[] = "Fu\xC3\x9F\n";
    EXPECT_EQ(UT_NORM_STRING(e), 4);
    EXPECT_STREQ(e, "Fu\xC3\x9F");
    char f[] = " \x81";
    EXPECT_EQ(UT_NORM_STRING(f), 2);
}

TEST(PackedTime, KnownValues) {
    EXPECT_EQ(NT_DT(1980, 1, 1, 0, 0, 0), 0x00210000u);
    EXPECT_EQ(NT_DT(2024, 5, 17, 13, 45, 30), 0x58B16DAFu);
    EXPECT_EQ(UT_UDATETAG(0x0021), 29219);
    EXPECT_EQ(UT_UDATETAG(0x58B1), 45427);
    EXPECT_EQ(UT_UTIMESEK(0x6DAF), 49530);
    EXPECT_EQ(UT_TAG_S2DT(29219, 0), 0x00210000u);
    EXPECT_EQ(UT_TAG_S2DT(45427, 49530), 0x58B16DAFu);
    EXPECT_STREQ(UT_DT2CI(0x58B16DAF), "20240517134530");
    EXPECT_STREQ(UT_DT2CI(0x00210000), "19800101000000");
}

TEST(PackedTime, LeapYearsAndCenturies) {
    // 29 February 2000 exists (divisible by 400), 29 February 2100 does not.
    EXPECT_EQ(UT_TAG_S2DT(36583, 0), NT_DT(2000, 2, 29, 0, 0, 0));
    EXPECT_EQ(UT_UDATETAG(NT_DT(2000, 3, 1, 0, 0, 0) >> 16) - UT_UDATETAG(NT_DT(2000, 2, 28, 0, 0, 0) >> 16),
              2);
    EXPECT_EQ(UT_UDATETAG(NT_DT(2100, 3, 1, 0, 0, 0) >> 16) - UT_UDATETAG(NT_DT(2100, 2, 28, 0, 0, 0) >> 16),
              1);
    EXPECT_EQ(UT_UDATETAG(NT_DT(2025, 1, 1, 0, 0, 0) >> 16) - UT_UDATETAG(NT_DT(2024, 1, 1, 0, 0, 0) >> 16),
              366);
    // Every day number of the range maps back to itself.
    const std::uint32_t ulEnde = static_cast<std::uint32_t>(UT_UDATETAG(NT_DT(2107, 12, 31, 0, 0, 0) >> 16));
    for (std::uint32_t d = 29219; d <= ulEnde; d += 7)
        ASSERT_EQ(
            static_cast<std::uint32_t>(UT_UDATETAG(static_cast<std::uint16_t>(UT_TAG_S2DT(d, 0) >> 16))), d);
}

TEST(PackedTime, SecondsAreRoundedThenHalved) {
    EXPECT_EQ(UT_TAG_S2DT(45427, 49533), NT_DT(2024, 5, 17, 13, 45, 32));
    EXPECT_EQ(UT_TAG_S2DT(45427, 49535), NT_DT(2024, 5, 17, 13, 45, 36));
    EXPECT_EQ(UT_TAG_S2DT(45427, 49539), NT_DT(2024, 5, 17, 13, 45, 40));
    // The rounding carries into the next day.
    EXPECT_EQ(UT_TAG_S2DT(36583, 86399), NT_DT(2000, 3, 1, 0, 0, 0));
    // Seconds beyond one day move the day.
    EXPECT_EQ(UT_TAG_S2DT(45427, 2 * 86400 + 49530), NT_DT(2024, 5, 19, 13, 45, 30));
    // The largest second count does not wrap to 0 when rounded.
    EXPECT_EQ(UT_TAG_S2DT(29219, 0xFFFFFFFF), UT_TAG_S2DT(29219 + 49710, 23296));
    // Before 1980: month 1, day 0, midnight.
    EXPECT_EQ(UT_TAG_S2DT(29217, 5000), 0x00200000u);
    EXPECT_EQ(UT_TAG_S2DT(0, 0), 0x00200000u);
}

TEST(PackedTime, DateAndTimeWordSentinels) {
    EXPECT_EQ(UT_UDATETAG((44 << 9) | (13 << 5) | 1), -1);
    EXPECT_EQ(UT_UDATETAG((44 << 9) | (0 << 5) | 17), UT_UDATETAG((44 << 9) | (1 << 5) | 17));
    EXPECT_EQ(UT_UTIMESEK(0xC000), -1);
    EXPECT_EQ(UT_UTIMESEK(0xBF7D), 86398);
    EXPECT_EQ(UT_UTIMESEK((1 << 11) | (60 << 5)), -1);
    EXPECT_EQ(UT_UTIMESEK((1 << 11) | (59 << 5) | 30), -1);
    EXPECT_EQ(UT_UTIMESEK((1 << 11) | (59 << 5) | 29), 3600 + 59 * 60 + 58);
}

TEST(PackedTime, AddAcrossMidnightMonthLeapDayAndYear) {
    EXPECT_EQ(UT_DT_ADD(0xFFFFFFFF, 5, 0), 0xFFFFFFFFu);
    EXPECT_EQ(UT_DT_ADD(NT_DT(2024, 5, 17, 13, 45, 30), 0, 10), NT_DT(2024, 5, 17, 13, 45, 40));
    EXPECT_EQ(UT_DT_ADD(NT_DT(2024, 5, 17, 23, 59, 58), 0, 10), NT_DT(2024, 5, 18, 0, 0, 8));
    EXPECT_EQ(UT_DT_ADD(NT_DT(2024, 4, 30, 23, 59, 56), 0, 10), NT_DT(2024, 5, 1, 0, 0, 6));
    EXPECT_EQ(UT_DT_ADD(NT_DT(2024, 2, 28, 23, 59, 58), 0, 10), NT_DT(2024, 2, 29, 0, 0, 8));
    EXPECT_EQ(UT_DT_ADD(NT_DT(2023, 2, 28, 23, 59, 58), 0, 10), NT_DT(2023, 3, 1, 0, 0, 8));
    EXPECT_EQ(UT_DT_ADD(NT_DT(2023, 12, 31, 23, 59, 54), 0, 10), NT_DT(2024, 1, 1, 0, 0, 4));
    EXPECT_EQ(UT_DT_ADD(NT_DT(2024, 5, 17, 13, 45, 30), 365, 0), NT_DT(2025, 5, 17, 13, 45, 30));
    EXPECT_EQ(UT_DT_ADD(NT_DT(2024, 12, 31, 12, 0, 0), 1, 86400 + 43200), NT_DT(2025, 1, 3, 0, 0, 0));
}

TEST(PackedTime, CompactTextOfInvalidFields) {
    EXPECT_EQ(UT_DT2CI(0xFFFFFFFF), cUT_CI_UNDEF);
    EXPECT_EQ(UT_DT2CI(NT_DT(2024, 13, 1, 0, 0, 0)), cUT_CI_UNDEF);
    EXPECT_EQ(UT_DT2CI((NT_DT(2024, 5, 1, 0, 0, 0)) | (24u << 11)), cUT_CI_UNDEF);
    EXPECT_EQ(UT_DT2CI((NT_DT(2024, 5, 1, 0, 0, 0)) | (60u << 5)), cUT_CI_UNDEF);
    EXPECT_EQ(UT_DT2CI((NT_DT(2024, 5, 1, 0, 0, 0)) | 30u), cUT_CI_UNDEF);
    EXPECT_STREQ(UT_DT2CI(NT_DT(2107, 12, 31, 23, 59, 58)), "21071231235958");
}
