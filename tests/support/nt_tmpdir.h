// A working directory of its own for each test: a fresh folder under /tmp, entered before the test and
// removed after it, so that files the code under test opens by relative name ("cfg/dp_atb.txt",
// "netscn.ref") belong to that test alone.
#pragma once
#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

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
