// The sample building under examples/ and its files for the scanner: the description loads, the attribute
// text catalogue and the route file keep their fixed columns, and every state text of the building finds
// its code in the catalogue, so a demo scan gives each two-state and multi-state point a real code.
#include "tools/bacsim/bacsim.h"
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

namespace {

const std::string sTop = NT_SOURCE_DIR;

std::vector<std::string> Lines(const std::string &sPath) {
    std::ifstream f(sPath);
    std::vector<std::string> v;
    for (std::string s; std::getline(f, s);)
        v.push_back(s);
    return v;
}

std::string Upper(std::string s) {
    for (char &c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
}

class Examples : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string sErr;
        bLoaded = BS_LOAD((sTop + "/examples/building.txt").c_str(), stBld, sErr);
        ASSERT_TRUE(bLoaded) << sErr;
        // code -> state texts by index, from the catalogue's entry lines
        for (const std::string &s : Lines(sTop + "/examples/cfg/dp_atb.txt")) {
            int iCode = 0, iState = 0;
            char c = 0;
            if (std::sscanf(s.c_str(), "%3d%c%1d", &iCode, &c, &iState) == 3 && c == ',' && s.size() > 8)
                mCat[iCode][iState] = s.substr(8);
        }
    }
    static BS_BUILDING stBld;
    static bool bLoaded;
    static std::map<int, std::map<int, std::string>> mCat;
};
BS_BUILDING Examples::stBld;
bool Examples::bLoaded = false;
std::map<int, std::map<int, std::string>> Examples::mCat;

TEST_F(Examples, BuildingHasAFewHundredPointsOnFourDevicesOneRouted) {
    EXPECT_EQ(stBld.vDevs.size(), 4u);
    std::size_t uPoints = 0, uRouted = 0, uLongNames = 0, uManyStates = 0, uCodes = 0;
    for (const BS_DEVICE &d : stBld.vDevs) {
        uRouted += d.usNet != 0;
        for (const BS_OBJECT &o : d.vObjs)
            for (const BS_PROP &p : o.vProps) {
                uPoints +=
                    p.ulId == 77 && (o.ulType <= 5 || o.ulType == 13 || o.ulType == 14 || o.ulType == 19);
                uLongNames += p.ulId == 77 && p.stVal.sText.size() > 16;
                uManyStates += p.ulId == 110 && p.stVal.vList.size() > 9;
                uCodes += p.ulId == 28 && p.stVal.sText.size() > 24 &&
                          p.stVal.sText.find('[', 23) != std::string::npos;
            }
    }
    EXPECT_EQ(uRouted, 1u);
    EXPECT_GE(uPoints, 200u);
    EXPECT_GE(uLongNames, 5u);
    EXPECT_GE(uManyStates, 2u);
    EXPECT_GE(uCodes, 5u);
}

TEST_F(Examples, CatalogueLinesKeepTheirColumns) {
    for (const std::string &s : Lines(sTop + "/examples/cfg/dp_atb.txt")) {
        if (s.empty() || s[0] == '*') continue;
        ASSERT_GE(s.size(), 9u) << s;
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(s[0])) && s[3] == ',' && s.substr(5, 3) == "   ")
            << s;
        EXPECT_NE(s[1], ',') << "a comma in column 2 would answer for every code: " << s;
        EXPECT_LE(s.size(), 63u) << s;
    }
    EXPECT_GE(mCat.size(), 20u);
}

// Every routed device has its line: instance, network, MAC digits and the router's endpoint in fixed columns.
TEST_F(Examples, RouteFileNamesEveryRoutedDevice) {
    std::vector<std::string> v = Lines(sTop + "/examples/qx/qx04ddev.bn");
    for (const BS_DEVICE &d : stBld.vDevs) {
        if (d.usNet == 0) continue;
        char cMac[16] = {};
        for (std::size_t i = 0; i < d.vMac.size(); ++i)
            std::snprintf(cMac + 2 * i, 3, "%02X", d.vMac[i]);
        const BS_HOST &h = stBld.vHosts[d.uHost];
        char cWant[80];
        std::snprintf(cWant, sizeof cWant, "%07u %05u %-12s %u.%u.%u.%u#%u", d.ulInst, d.usNet, cMac,
                      h.ulIp >> 24, (h.ulIp >> 16) & 0xFF, (h.ulIp >> 8) & 0xFF, h.ulIp & 0xFF, h.usPort);
        EXPECT_NE(std::find(v.begin(), v.end(), std::string(cWant)), v.end()) << cWant;
    }
    for (const std::string &s : v)
        EXPECT_GE(s.size(), 29u) << s;
}

// The state texts of every two-state and multi-state object equal (ignoring case) the texts of one catalogue
// code, either in order or, for two states, crosswise; at most the first 9 states are compared.
TEST_F(Examples, EveryStateTextHasItsCatalogueCode) {
    for (const BS_DEVICE &d : stBld.vDevs)
        for (const BS_OBJECT &o : d.vObjs) {
            std::vector<std::string> vStates;
            std::string sName;
            for (const BS_PROP &p : o.vProps) {
                if (p.ulId == 46) vStates.insert(vStates.begin(), Upper(p.stVal.sText));
                if (p.ulId == 4) vStates.push_back(Upper(p.stVal.sText));
                if (p.ulId == 110)
                    for (std::size_t i = 0; i < p.stVal.vList.size() && i < 9; ++i)
                        vStates.push_back(Upper(p.stVal.vList[i]));
                if (p.ulId == 77) sName = p.stVal.sText;
            }
            if (vStates.empty()) continue;
            bool bFound = false;
            for (const auto &[iCode, mTexts] : mCat) {
                bool bSame = mTexts.size() >= vStates.size(),
                     bCross = vStates.size() == 2 && mTexts.size() == 2;
                for (std::size_t j = 0; j < vStates.size(); ++j) {
                    auto it = mTexts.find(static_cast<int>(j));
                    bSame = bSame && it != mTexts.end() && it->second == vStates[j];
                    auto jt = mTexts.find(static_cast<int>(1 - j));
                    bCross = bCross && jt != mTexts.end() && jt->second == vStates[j];
                }
                bFound = bFound || bSame || bCross;
            }
            EXPECT_TRUE(bFound) << sName;
        }
}

} // namespace
