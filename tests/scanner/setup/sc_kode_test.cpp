// The combined code: the first failing phase decides, and the exit status is -code / 100.
#include <gtest/gtest.h>
#include "runtime/ut/ut.h"
#include "scanner/setup/sc_setup.h"

TEST(CombinedCode, FirstFailingPhaseDecides) {
    EXPECT_EQ(SC_KODE(0, 0, 1), 0);
    EXPECT_EQ(SC_KODE(0, -1, 1), -101);
    EXPECT_EQ(SC_KODE(0, -21, 1), -121);
    EXPECT_EQ(SC_KODE(0, -21, 2), -221);
    EXPECT_EQ(SC_KODE(0, -1, 3), -301);
    EXPECT_EQ(SC_KODE(-110, -21, 2), -110); // a failed set-up keeps its code
    EXPECT_EQ(SC_KODE(-221, -5, 3), -221);  // the end phase counts only when nothing failed before
    EXPECT_EQ(SC_KODE(0, 3, 2), 0);         // positive results are no failure
    // Exit status of each phase.
    EXPECT_EQ(-SC_KODE(0, -1, 1) / 100, 1);
    EXPECT_EQ(-SC_KODE(0, -21, 1) / 100, 1);
    EXPECT_EQ(-SC_KODE(0, -21, 2) / 100, 2);
    EXPECT_EQ(-SC_KODE(0, -1, 3) / 100, 3);
}

// An empty argument vector (a program started without even its name) is set-up error -1, which ends the
// program with status 1. The kernel gives an exec'd program at least an empty name, so it is called here.
TEST(CombinedCode, EmptyArgumentVectorIsSetUpErrorOne) {
    TEST_T_fpout = stderr;
    EXPECT_EQ(SC_INIT(0, nullptr), -1);
    EXPECT_EQ(-SC_KODE(0, SC_INIT(0, nullptr), 1) / 100, 1);
    EXPECT_EQ(SC_EXIT(), 0);
}

// The options of repetitions, parallel devices, code page and ReadPropertyMultiple: a number in range sets
// the value, any other text leaves the option ignored, the letter counts in either case.
TEST(Options, NumbersInRangeOthersIgnored) {
    struct Fall {
        const char *cArg;
        int iR, iP, iU, iM = 0;
    } const aFall[] = {
        {"-R0", 0, 1, 0},   {"/r9", 9, 1, 0},  {"-R", 3, 1, 0},
        {"-R10", 3, 1, 0},  {"-R03", 3, 1, 0}, {"-R3x", 3, 1, 0},
        {"-R-1", 3, 1, 0},  {"-P1", 3, 1, 0},  {"-p64", 3, 64, 0},
        {"-P16", 3, 16, 0}, {"-P0", 3, 1, 0},  {"-P65", 3, 1, 0},
        {"-P04", 3, 1, 0},  {"-P", 3, 1, 0},   {"-P99999999999", 3, 1, 0},
        {"-U", 3, 1, 1},    {"/u", 3, 1, 1},   {"-U1", 3, 1, 0},
        {"-X5", 3, 1, 0},   {"-M1", 3, 1, 0},  {"/m", 3, 1, 0, 1},
        {"-M", 3, 1, 0, 1}, {"-Mx", 3, 1, 0},
    };
    for (const Fall &f : aFall) {
        iSC_Wiederhol = 3;
        iSC_Parallel = 1;
        iSC_Umsetzen = 0;
        iSC_Mehrfach = 0;
        SC_INIT_ARG(2, f.cArg);
        EXPECT_EQ(iSC_Wiederhol, f.iR) << f.cArg;
        EXPECT_EQ(iSC_Parallel, f.iP) << f.cArg;
        EXPECT_EQ(iSC_Umsetzen, f.iU) << f.cArg;
        EXPECT_EQ(iSC_Mehrfach, f.iM) << f.cArg;
    }
}
