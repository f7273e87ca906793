// Converter pieces in process: CSV field splitting, the loader's command line, and the header line of
// tabconv.ref under a set clock.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>
#include "converter/tk.h"
#include "runtime/ut/ut.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> SPLIT(const std::string &sText, int iMax, int *pAnz) {
    char cBuf[300];
    std::snprintf(cBuf, sizeof cBuf, "%s", sText.c_str());
    std::vector<char *> cFeld(iMax + 1, nullptr);
    *pAnz = UT_CSV_SCAN(cBuf, ';', iMax, cFeld.data());
    std::vector<std::string> v;
    for (int i = 0; i < iMax; i++)
        v.push_back(cFeld[i] != nullptr ? cFeld[i] : "<null>");
    EXPECT_EQ(cFeld[iMax], nullptr) << "wrote beyond the field array";
    return v;
}

TEST(CsvScan, SplitsAtEverySeparatorUpToTheLimit) {
    int n = 0;
    EXPECT_EQ(SPLIT("a;b;c", 5, &n), (std::vector<std::string>{"a", "b", "c", "", ""}));
    EXPECT_EQ(n, 3);
    EXPECT_EQ(SPLIT("", 3, &n), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(n, 1) << "an empty text is one empty field";
    EXPECT_EQ(SPLIT("abc", 2, &n), (std::vector<std::string>{"abc", ""}));
    EXPECT_EQ(n, 1);
    EXPECT_EQ(SPLIT(";;x;", 4, &n), (std::vector<std::string>{"", "", "x", ""}));
    EXPECT_EQ(n, 4);
    // Exactly the limit, and beyond it: the rest after the last taken separator is dropped.
    EXPECT_EQ(SPLIT("1;2;3", 3, &n), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(n, 3);
    EXPECT_EQ(SPLIT("1;2;3;4;5", 3, &n), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(n, 3);
    EXPECT_EQ(SPLIT("1;2;3;", 3, &n), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(n, 3);
    EXPECT_EQ(SPLIT("a;b", 0, &n), (std::vector<std::string>{}));
    EXPECT_EQ(n, 0);
}

// Sets the converter's identifiers and builds the loader's command line.
std::string CMD(int iTrb, const char *cObj, const char *cGak, std::size_t uSize = 512, int *pLen = nullptr) {
    iTK_TrbId = iTrb;
    std::snprintf(cTK_Obj_Kenn, sizeof cTK_Obj_Kenn, "%s", cObj);
    std::snprintf(cTK_GAK_Kenn, sizeof cTK_GAK_Kenn, "%s", cGak);
    std::vector<char> cBuf(uSize + 1, '#');
    int n = TK_LD_CMD(cBuf.data(), uSize);
    if (pLen != nullptr) *pLen = n;
    EXPECT_EQ(cBuf[uSize], '#') << "wrote beyond the buffer";
    return n >= 0 ? std::string(cBuf.data()) : std::string();
}

TEST(LoaderCommand, QuotesEachIdentifierForTheShell) {
    EXPECT_EQ(CMD(4, "AB", "123"), "exec ctrload tabconv.ref 4 'AB' '123'");
    EXPECT_EQ(CMD(128, "", ""), "exec ctrload tabconv.ref 128 '' ''");
    EXPECT_EQ(CMD(7, "A'B", "''"), "exec ctrload tabconv.ref 7 'A'\\''B' ''\\'''\\'''");
    int n = 0;
    std::string s = CMD(4, "AB", "123", 40, &n);
    EXPECT_EQ(n, 37);
    CMD(4, "AB", "123", 37, &n);
    EXPECT_EQ(n, -1) << "no room for the terminator";
    CMD(4, "A'B", "1", 30, &n);
    EXPECT_EQ(n, -1);
}

void UHR(struct timeval *tv) {
    tv->tv_sec = 1796542968; // 6 December 2026 07:42:48 UTC
    tv->tv_usec = 0;
}

// The whole run in process with a set clock: the header carries the loop time taken at start-up.
TEST(Converter, HeaderLineCarriesTheStartTime) {
    setenv("TZ", "UTC", 1);
    tzset();
    UT_CLOCK_SET(UHR);
    char cVorlage[] = "/tmp/tk_test_XXXXXX";
    ASSERT_NE(mkdtemp(cVorlage), nullptr);
    fs::path alt = fs::current_path();
    fs::current_path(cVorlage);
    {
        std::ofstream f("in.csv");
        f << "Kopf\n17;A1.DI.3;1;5;Pumpe Kessel 1;K3.12;200;AB;1234567890\n";
    }
    char cProg[] = "tabconv", cCsv[] = "in.csv";
    char *argv[] = {cProg, cCsv, nullptr};
    EXPECT_EQ(TK_INIT(2, argv), 0);
    EXPECT_EQ(TK_DP_LOOP(), 0);
    EXPECT_EQ(TK_EXIT(), 0);
    EXPECT_EQ(fpTK_REF, nullptr);
    EXPECT_EQ(fpTK_CSV, nullptr);
    std::ifstream f("tabconv.ref");
    std::stringstream s;
    s << f.rdbuf();
    EXPECT_EQ(s.str(),
              "00000 06/12/2026 07:42 CSV nach ZDB (TABCNV)   Treiber-Id.: 200 (QXC8)   Obj.: AB   "
              "GAK: 1234567890\n"
              "00017 A1.DI.3          1 0 15 15 15 0 0 000 005 Pumpe Kessel 1                   K3.12\n");
    fs::current_path(alt);
    fs::remove_all(cVorlage);
    UT_CLOCK_SET(nullptr);
}

} // namespace
