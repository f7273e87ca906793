// Texts into the loader's code page at the edges: umlauts, characters it lacks, broken UTF-8, surrogates,
// empty texts and the bound of the output.
#include <gtest/gtest.h>
#include <iconv.h>
#include <initializer_list>
#include <string>
#include "runtime/ut/ut.h"

namespace {

TEST(Cp850, Utf8ConvertedOnlyWhenValidAsAWhole) {
    const struct {
        const char *cEin, *cAus;
        int iErg;
    } aFall[] = {
        {"", "", 0},
        {"äöüÄÖÜßé", "\x84\x94\x81\x8E\x99\x9A\xE1\x82", 8},
        {"Fußweg Grün", "Fu\xE1weg Gr\x81n", 11},
        {"€ 5 😀.", "? 5 ?.", 6},                                // euro sign and a character beyond U+FFFF
        {"St\x94rung", "St\x94rung", -1},                       // code-page bytes of an older device
        {"ä und \x84", "ä und \x84", -1},                       // one stray byte: nothing is converted
        {"Kälte\xC3", "Kälte\xC3", -1},                         // cut short at the end
        {"\xC0\xAF \xE0\x80\xAF", "\xC0\xAF \xE0\x80\xAF", -1}, // overlong forms
        {"\xED\xA0\x80", "\xED\xA0\x80", -1},                   // a surrogate written in UTF-8
    };
    for (const auto &f : aFall) {
        char c[64];
        std::snprintf(c, sizeof c, "%s", f.cEin);
        EXPECT_EQ(UT_CP850_VON_UTF8(c), f.iErg) << f.cEin;
        EXPECT_EQ(std::string(c), f.cAus) << f.cEin;
    }
}

TEST(Cp850, Latin1ByteByByte) {
    char c[] = "W\xE4rme \xDF\xE9\xA4 \x80\x9F";
    EXPECT_EQ(UT_CP850_VON_LATIN1(c), 12);
    EXPECT_EQ(std::string(c), "W\x84rme \xE1\x82\xCF ??"); // C1 controls are no letters of the code page
}

// Code units as BACnet sends them, most significant byte first.
std::string BE(std::initializer_list<std::uint32_t> l, int iBreite) {
    std::string s;
    for (std::uint32_t u : l)
        for (int k = iBreite - 1; k >= 0; k--)
            s += static_cast<char>(u >> (8 * k));
    return s;
}

TEST(Cp850, UcsByLengthWithSurrogatesAndBounds) {
    const struct {
        std::string sEin;
        int iBreite;
        std::size_t uGroesse;
        const char *cAus;
    } aFall[] = {
        {BE({'K', 0xE4, 'l', 't', 'e'}, 2), 2, 64, "K\x84lte"},
        {"", 2, 64, ""},
        {BE({'A', 0xD83D, 0xDE00, 'B'}, 2), 2, 64, "A?B"},   // a surrogate pair is one character
        {BE({0xD800, 'A', 0xDC00}, 2), 2, 64, "?A?"},        // lone high and low surrogate
        {BE({'A'}, 2) + '\0', 2, 64, "A"},                   // a half unit is dropped
        {BE({'A', 0, 'B'}, 2), 2, 64, "A"},                  // a zero character ends the text
        {BE({0xFC, 0x1F600, 0x110000}, 4), 4, 64, "\x81??"}, // UCS-4, also beyond Unicode
        {BE({'A', 'B', 'C'}, 2), 2, 3, "AB"},                // cut at the end of the output
    };
    for (const auto &f : aFall) {
        char c[64];
        const int n = UT_CP850_VON_UCS(reinterpret_cast<const unsigned char *>(f.sEin.data()),
                                       static_cast<int>(f.sEin.size()), f.iBreite, c, f.uGroesse);
        EXPECT_EQ(std::string(c), f.cAus) << f.cAus;
        EXPECT_EQ(n, static_cast<int>(std::string(f.cAus).size()));
    }
}

// Every byte from 0x80 up is found again from the character the C library gives it.
TEST(Cp850, TableAgreesWithTheCLibrary) {
    iconv_t cd = iconv_open("UCS-4BE", "CP850");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << "CP850 not known to the C library";
    for (unsigned b = 0x80; b <= 0xFF; b++) {
        char cEin = static_cast<char>(b), *pEin = &cEin;
        unsigned char ucAus[4];
        char *pAus = reinterpret_cast<char *>(ucAus);
        std::size_t uEin = 1, uAus = 4;
        ASSERT_NE(iconv(cd, &pEin, &uEin, &pAus, &uAus), static_cast<std::size_t>(-1)) << b;
        const std::uint32_t uCode = (std::uint32_t)ucAus[0] << 24 | ucAus[1] << 16 | ucAus[2] << 8 | ucAus[3];
        EXPECT_EQ(UT_CP850_ZEICHEN(uCode), b) << std::hex << uCode;
    }
    iconv_close(cd);
    EXPECT_EQ(UT_CP850_ZEICHEN('A'), 'A');
    EXPECT_EQ(UT_CP850_ZEICHEN(0x20AC), '?');
}

} // namespace
