// The combined code: the first failing phase decides, and the exit status is -code / 100.
#include <gtest/gtest.h>
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

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
