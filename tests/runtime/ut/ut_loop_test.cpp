// Loop clock with its digits, hundredths and period starts; the disk figures' measuring rhythm; the start-up.
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include "runtime/ut/ut.h"
#include "support/nt_uhr.h"

namespace {

void PASS(int iJahr, int iMonat, int iTag, int iStd, int iMin, int iSek, long lUSek = 0) {
    NT_UHR(iJahr, iMonat, iTag, iStd, iMin, iSek, lUSek);
    UT_LOOPTIME();
}

// Runs fn with the trace (exit lines) going to a temporary file and returns what was written.
template <class F> std::string TRACE(F fn) {
    FILE *fp = std::tmpfile();
    FILE *fpAlt = TEST_T_fpout;
    TEST_T_fpout = fp;
    TEST_T_A4 = 1;
    fn();
    TEST_T_A4 = 0;
    TEST_T_fpout = fpAlt;
    std::string s;
    std::rewind(fp);
    for (int c; (c = std::fgetc(fp)) != EOF;)
        s += static_cast<char>(c);
    std::fclose(fp);
    return s;
}

int ANZAHL(const std::string &s, const std::string &t) {
    int n = 0;
    for (std::size_t p = s.find(t); p != std::string::npos; p = s.find(t, p + 1))
        n++;
    return n;
}

template <class... C> std::string ZIFFERN(C... c) {
    return std::string{c...};
}

} // namespace

TEST(LoopTime, DigitsTextAndPreviousPass) {
    PASS(2024, 5, 17, 13, 45, 30, 500000);
    PASS(2024, 5, 17, 13, 46, 1, 70000);
    EXPECT_EQ(ulUT_LOOPZeit, NT_DT(2024, 5, 17, 13, 46, 0));
    EXPECT_STREQ(cUT_LOOPZeit, "20240517134601");
    EXPECT_EQ(ZIFFERN(cUT_LOOP10Jahr, cUT_LOOP1Jahr, cUT_LOOP10Monat, cUT_LOOP1Monat, cUT_LOOP10Tag,
                      cUT_LOOP1Tag, cUT_LOOP10Std, cUT_LOOP1Std, cUT_LOOP10Min, cUT_LOOP1Min, cUT_LOOP10Sek,
                      cUT_LOOP1Sek),
              "240517134601");
    EXPECT_EQ(ulUT_LASTZeit, NT_DT(2024, 5, 17, 13, 45, 30));
    EXPECT_STREQ(cUT_LASTZeit, "20240517134530");
    EXPECT_EQ(ZIFFERN(cUT_LAST10Jahr, cUT_LAST1Jahr, cUT_LAST10Monat, cUT_LAST1Monat, cUT_LAST10Tag,
                      cUT_LAST1Tag, cUT_LAST10Std, cUT_LAST1Std, cUT_LAST10Min, cUT_LAST1Min, cUT_LAST10Sek,
                      cUT_LAST1Sek),
              "240517134530");
    EXPECT_NE(cUT_LOOP1Min, cUT_LAST1Min); // a new minute shows in the digits
    EXPECT_EQ(ucUT_LASTHSek, 50);
    EXPECT_EQ(ulUT_LASTuSek, 500000u);
    EXPECT_EQ(ulUT_LOOPuSek, 70000u);
    EXPECT_EQ(ucUT_LOOPWTag, 4); // Friday
    EXPECT_EQ(ucUT_LASTWTag, 4);
}

TEST(LoopTime, HundredthsWithinTheTwoSecondStep) {
    PASS(2024, 5, 17, 13, 45, 31, 250000);
    EXPECT_EQ(ucUT_LOOPHSek, 125);
    EXPECT_EQ(ulUT_LOOPZeit & 31, 15u);
    PASS(2024, 5, 17, 13, 45, 30, 999999);
    EXPECT_EQ(ucUT_LOOPHSek, 99);
    PASS(2024, 5, 17, 13, 45, 59, 999999);
    EXPECT_EQ(ucUT_LOOPHSek, 199);
}

TEST(LoopTime, PeriodStartsMoveOnlyWithTheHour) {
    PASS(2024, 5, 15, 13, 59, 59);
    EXPECT_EQ(ulUT_ZB_Stunde, NT_DT(2024, 5, 15, 13, 0, 0));
    PASS(2024, 5, 15, 14, 0, 1);
    EXPECT_EQ(ulUT_ZB_Stunde, NT_DT(2024, 5, 15, 14, 0, 0));
    // Within the same hour nothing is recomputed: a marked value stays.
    ulUT_ZB_Stunde = 0x12345678;
    PASS(2024, 5, 15, 14, 59, 59);
    EXPECT_EQ(ulUT_ZB_Stunde, 0x12345678u);
    PASS(2024, 5, 15, 15, 0, 0);
    EXPECT_EQ(ulUT_ZB_Stunde, NT_DT(2024, 5, 15, 15, 0, 0));
}

TEST(LoopTime, DayWeekMonthYearStarts) {
    PASS(2024, 5, 15, 10, 20, 30); // Wednesday
    EXPECT_EQ(ucUT_LOOPWTag, 2);
    EXPECT_EQ(ulUT_ZB_Tag, NT_DT(2024, 5, 15, 0, 0, 0));
    EXPECT_EQ(ulUT_ZB_Woche, NT_DT(2024, 5, 13, 0, 0, 0));
    EXPECT_EQ(ulUT_ZB_Monat, NT_DT(2024, 5, 1, 0, 0, 0));
    EXPECT_EQ(ulUT_ZB_Jahr, NT_DT(2024, 1, 1, 0, 0, 0));
    PASS(2024, 5, 13, 8, 0, 0); // Monday: the week starts today
    EXPECT_EQ(ucUT_LOOPWTag, 0);
    EXPECT_EQ(ulUT_ZB_Woche, ulUT_ZB_Tag);
    PASS(2024, 5, 19, 23, 59, 58); // Sunday: six days back
    EXPECT_EQ(ucUT_LOOPWTag, 6);
    EXPECT_EQ(ulUT_ZB_Woche, NT_DT(2024, 5, 13, 0, 0, 0));
    PASS(2024, 5, 1, 12, 0, 0); // Wednesday: the week began in April
    EXPECT_EQ(ulUT_ZB_Woche, NT_DT(2024, 4, 29, 0, 0, 0));
    PASS(2025, 1, 1, 0, 0, 0); // Wednesday: the week began in the old year
    EXPECT_EQ(ulUT_ZB_Woche, NT_DT(2024, 12, 30, 0, 0, 0));
    EXPECT_EQ(ulUT_ZB_Jahr, NT_DT(2025, 1, 1, 0, 0, 0));
}

TEST(DiskFigures, FreeSpaceMeasuredAtMostEveryTenSecondsOfLoopTime) {
    // Late dates, so that an earlier due time of this process cannot be later than these.
    PASS(2090, 6, 1, 10, 0, 0);
    std::string t = TRACE([] {
        UT_DISKFREE(); // due: measures, next due 10:00:10
        NT_UHR(2090, 6, 1, 10, 0, 30);
        UT_DISKFREE(); // the clock moved but the loop time did not
        PASS(2090, 6, 1, 10, 0, 6);
        UT_DISKFREE();
        PASS(2090, 6, 1, 10, 0, 10); // not strictly later than the due time
        UT_DISKFREE();
        PASS(2090, 6, 1, 10, 0, 12);
        UT_DISKFREE(); // measures again
    });
    EXPECT_EQ(ANZAHL(t, "SY_DISKFREE:  Vor  RETURN"), 2) << t;
    EXPECT_EQ(ANZAHL(t, "UT_DISKFREE:  Vor  RETURN"), 5);
}

TEST(DiskFigures, SizeMeasuredOnce) {
    ulUT_DiskSize = 0;
    std::uint32_t a = 0, b = 0;
    std::string t = TRACE([&] {
        a = UT_DISKSIZE();
        b = UT_DISKSIZE();
    });
    EXPECT_NE(a, 0u);
    EXPECT_EQ(a, b);
    EXPECT_EQ(ANZAHL(t, "SY_DISKSIZE:  Vor  RETURN"), 1) << t;
    EXPECT_NE(t.find("UT_DISKSIZE:  Vor  RETURN     Bytes : " + std::to_string(a)), std::string::npos) << t;
}

TEST(StartUp, StartValuesOptionsAndLoopTimes) {
    // The start-up opens the operating-protocol queue in the working directory.
    char t[] = "/tmp/ut_init_XXXXXX";
    ASSERT_NE(mkdtemp(t), nullptr);
    ASSERT_EQ(chdir(t), 0);
    PASS(2024, 5, 17, 13, 45, 30);
    for (unsigned char *p : {&TEST_T_X, &TEST_Z_, &TEST_T_A})
        *p = 0;
    ucUT_EL_Typ = 255;
    uUT_EL_AnzWSL = 7;
    ulUT_Z_Nxt = 0;
    UT_KK_CFG[1] = 'K';
    char a0[] = "TABCONV", a1[] = "-tx", a2[] = "-Z", a3[] = "daten.csv";
    char *argv[] = {a0, a1, a2, a3, nullptr};
    NT_UHR(2024, 5, 17, 14, 0, 1);
    EXPECT_EQ(UT_INIT(4, argv), 0);
    EXPECT_STREQ(cUT_CI_UNDEF, "99999999999999");
    EXPECT_EQ(ulUT_fUNDEF, 0xFFFFFFFFu);
    EXPECT_EQ(uUT_ProdId, 0u);
    EXPECT_EQ(ucUT_EL_Typ, 0);
    EXPECT_STREQ(cUT_EL_Bez, "");
    EXPECT_EQ(uUT_EL_AnzWSL, 0u);
    EXPECT_EQ(ulUT_EL_SizeWSL, 0xFFFFFFFFu);
    EXPECT_EQ(uUT_DR_AnzWSL, 0u);
    EXPECT_EQ(uUT_DR_AnzPRT, 0u);
    EXPECT_EQ(ulUT_DR_SizeWSL, 0xFFFFFFFFu);
    EXPECT_EQ(ulUT_Z_Nxt, 0xFFFFFFFFu);
    EXPECT_EQ(ulUT_Z_Set, 0xFFFFFFFFu);
    EXPECT_EQ(UT_KK_GETKK()[0], 0);
    EXPECT_EQ(UT_KK_GETKK()[1], 0);
    EXPECT_NE(ulUT_DiskSize, 0u);
    EXPECT_EQ(TEST_T_X, 1);
    EXPECT_EQ(TEST_Z_, 1);
    EXPECT_EQ(TEST_T_A, 0);
    // Both loop times hold the start time, and the hour digit is a digit again.
    EXPECT_EQ(ulUT_LOOPZeit, NT_DT(2024, 5, 17, 14, 0, 0));
    EXPECT_EQ(ulUT_LASTZeit, ulUT_LOOPZeit);
    EXPECT_EQ(cUT_LOOP1Std, '4');
    EXPECT_EQ(cUT_LAST1Std, '4');
    EXPECT_EQ(ulUT_ZB_Stunde, NT_DT(2024, 5, 17, 14, 0, 0));
    TEST_T_X = TEST_Z_ = 0;
    UT_CLOCK_SET(nullptr);
    std::string c = std::string("rm -rf ") + t;
    EXPECT_EQ(std::system(c.c_str()), 0);
}

TEST(StartUp, RecordWidthsOfTheConverter) {
    EXPECT_EQ(sizeof(UT_ZDB_ASDU_30_1), 5u);
    EXPECT_EQ(UT_INIT_TYPEN(), 0);
}
