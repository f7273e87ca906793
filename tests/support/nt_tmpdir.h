// A working directory of its own for each test: a fresh folder under /tmp, entered before the test and
// removed after it, so that files the code under test opens by relative name ("cfg/dp_atb.txt",
// "netscn.ref") belong to that test alone.
#pragma once
#include <climits>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include "support/nt_uhr.h"

class NtTmpDirTest : public ::testing::Test {
  protected:
    std::string sAltDir, sDir;
    void SetUp() override {
        char cAlt[PATH_MAX];
        ASSERT_NE(getcwd(cAlt, sizeof cAlt), nullptr);
        sAltDir = cAlt;
        char cTmpl[] = "/tmp/nt_testXXXXXX";
        ASSERT_NE(mkdtemp(cTmpl), nullptr);
        sDir = cTmpl;
        ASSERT_EQ(chdir(sDir.c_str()), 0);
        mkdir("cfg", 0755);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(sAltDir.c_str()), 0);
        std::system(("rm -rf '" + sDir + "'").c_str());
    }
};

// For code that reads the attribute text catalogue: a standing clock, each test a minute after the one
// before, and KATALOG() writing cfg/dp_atb.txt and moving the clock on, as a program's clock moves on between
// an edit of the catalogue and the next lookup (the file is looked at no more than once per millisecond).
class NtKatalogTest : public NtTmpDirTest {
  protected:
    void SetUp() override {
        NtTmpDirTest::SetUp();
        static int iTest = 0;
        NT_UHR(2026, 12, 6, 14, 5, 0);
        NT_UHR_ZEIT().tv_sec += 60 * iTest++;
    }
    void TearDown() override {
        UT_CLOCK_SET(nullptr);
        NtTmpDirTest::TearDown();
    }
    // The clock moves on by lUs microseconds.
    static void WEITER(long lUs = 5000) {
        NT_UHR_ZEIT().tv_sec += (NT_UHR_ZEIT().tv_usec + lUs) / 1000000;
        NT_UHR_ZEIT().tv_usec = (NT_UHR_ZEIT().tv_usec + lUs) % 1000000;
    }
    static void KATALOG(const std::string &sText) {
        std::ofstream("cfg/dp_atb.txt", std::ios::binary) << sText;
        WEITER();
    }
};
