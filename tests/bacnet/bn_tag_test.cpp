// Tag decoding: kinds and lengths of tags, numeric values and strings, and the value of a ReadProperty
// acknowledgement as the scan loop takes it, never reading beyond the frame.
#include <cstring>
#include <string>
#include <gtest/gtest.h>
#include "bacnet/bn.h"
#include "bn_test.h"
#include "support/el_probe.h"

namespace {
std::uint32_t L(NT_BYTES t, int iContext = -1) {
    return QX04_BN_TAG2L(t.data(), iContext, t.data() + t.size());
}
float F(std::uint32_t ul) {
    float f;
    std::memcpy(&f, &ul, sizeof f);
    return f;
}
class BnTag : public ::testing::Test {
  protected:
    void SetUp() override {
        NT_EL_START();
        NT_EL_NEU();
    }
};
} // namespace

TEST_F(BnTag, KindsOfTags) {
    const unsigned char t[] = {0x21, 0x3E, 0x3F, 0x19, 0xC4, 0xD1, 0xF1, 0x75};
    const int want[] = {2, 17, 18, 16, 12, -1, -1, 7};
    for (std::size_t i = 0; i < sizeof t; i++)
        EXPECT_EQ(QX04_BN_TAGNUM(&t[i]), want[i]) << i;
}

TEST_F(BnTag, LengthsIncludingExtendedOnes) {
    auto len = [](NT_BYTES t) { return QX04_BN_TAGLEN(t.data(), t.data() + t.size()); };
    EXPECT_EQ(len({0x21, 0x05}), 2);
    EXPECT_EQ(len({0x10}), 1);
    EXPECT_EQ(len({0x11}), 1);
    EXPECT_EQ(len({0x00}), 1);
    EXPECT_EQ(len({0x3E}), 1);
    EXPECT_EQ(len({0x3F}), 1);
    EXPECT_EQ(len({0x75, 0x06, 0, 'A', 'B', 'C', 'D', 'E'}), 8);
    NT_BYTES lang(305, 'x');
    lang[0] = 0x75, lang[1] = 0xFE, lang[2] = 0x01, lang[3] = 0x2D;
    EXPECT_EQ(len(lang), 305);
    NT_BYTES riesig(10, 0);
    riesig[0] = 0x75, riesig[1] = 0xFF, riesig[2] = 0xFF, riesig[3] = 0xFF, riesig[4] = 0xFF,
    riesig[5] = 0xF0;
    EXPECT_EQ(len(riesig), 0);
    EXPECT_EQ(len({0x75, 0x04, 0, 0, 0, 0}), 0); // extended length below 5 is invalid
    // without an end the length is taken as the tag says
    const unsigned char kurz[] = {0x75, 0x06};
    EXPECT_EQ(QX04_BN_TAGLEN(kurz), 8);
}

TEST_F(BnTag, TagsReachingBeyondTheEndHaveNoLength) {
    auto len = [](NT_BYTES t) { return QX04_BN_TAGLEN(t.data(), t.data() + t.size()); };
    EXPECT_EQ(len({0x75, 0x06, 0, 'A', 'B'}), 0);
    EXPECT_EQ(len({0x75}), 0);             // length byte missing
    EXPECT_EQ(len({0x75, 0xFE, 0x01}), 0); // 16-bit length cut
    EXPECT_EQ(len({0x75, 0xFF, 0, 0, 0}), 0);
    EXPECT_EQ(len({0x24, 0x41, 0x20}), 0);
    NT_BYTES t{0x21, 0x05};
    EXPECT_EQ(QX04_BN_TAGLEN(t.data(), t.data()), 0);
    EXPECT_EQ(QX04_BN_TAG2L(t.data() + 2, -1, t.data() + 2), 0xFFFFFFFFu);
    EXPECT_EQ(QX04_BN_TAG2C(t.data() + 2, 7, t.data() + 2), nullptr);
}

TEST_F(BnTag, NumericValues) {
    EXPECT_EQ(L({0x21, 0x05}), 5u);
    EXPECT_EQ(L({0x91, 0x08}), 8u);
    EXPECT_EQ(L({0x10}), 0u);
    EXPECT_EQ(L({0x11}), 1u);
    EXPECT_EQ(L({0x31, 0xFF}), 0xFFFFFFFFu); // -1: indistinguishable from no value
    EXPECT_EQ(L({0x31, 0x7F}), 127u);
    EXPECT_EQ(L({0x32, 0xFF, 0x38}), (std::uint32_t)-200);
    EXPECT_EQ(L({0x24, 0x00, 0x01, 0x00, 0x00}), 65536u);
    EXPECT_EQ(F(L({0x44, 0x41, 0x20, 0x00, 0x00})), 10.0f);
    EXPECT_EQ(L({0x43, 0x41, 0x20, 0x00}), 0xFFFFFFFFu); // a Real needs four bytes
    EXPECT_EQ(L({0x20}), 0u);                            // no content
    EXPECT_EQ(L({0x25, 0x05, 1, 2, 3, 4, 5}), 0xFFFFFFFFu);
    EXPECT_EQ(L({0x3E}), 0xFFFFFFFFu);
    EXPECT_EQ(L({0x3F}), 0xFFFFFFFFu);
    EXPECT_EQ(L({0xD1, 0x00}), 0xFFFFFFFFu);
    EXPECT_EQ(L({0x55, 0x08, 1, 2, 3, 4, 5, 6, 7, 8}), 0xFFFFFFFFu); // Double
}

TEST_F(BnTag, ContextTagsTakeTheExpectedType) {
    EXPECT_EQ(L({0x0C, 0x02, 0x00, 0x30, 0x39}, 12), 0x02003039u);
    EXPECT_EQ(L({0x0C, 0x02, 0x00, 0x30, 0x39}, -1), 0xFFFFFFFFu);
    EXPECT_EQ(L({0x19, 0x4D}, 9), 77u);
    EXPECT_EQ(L({0x29, 0x01}, 1), 1u); // a context Boolean keeps its value in the content byte
}

// A Boolean takes its value from its content byte (an application one of a single byte from its LVT); without
// content it has none, and the byte behind the tag, here a 1, is never taken for it.
TEST_F(BnTag, BooleansWithoutContentHaveNoValue) {
    const struct {
        NT_BYTES t;
        int iContext;
        std::uint32_t ulWant;
    } fall[] = {
        {{0x9D, 0xFF, 0x00, 0x00, 0x00, 0x00}, 1, 0xFFFFFFFFu},  // context tag, 32-bit extended length 0
        {{0x9D, 0xFE, 0x00, 0x00}, 1, 0xFFFFFFFFu},              // 16-bit extended length 0
        {{0x15, 0xFF, 0x00, 0x00, 0x00, 0x00}, -1, 0xFFFFFFFFu}, // application Boolean, same
        {{0x98}, 1, 0xFFFFFFFFu},                                // context tag with LVT 0
        {{0x15, 0x05, 0x01, 0, 0, 0, 0}, -1, 1u},                // extended length 5: the first content byte
        {{0x29, 0x00}, 1, 0u},
        {{0x11}, -1, 1u},
    };
    for (const auto &f : fall) {
        NT_BYTES b = f.t;
        b.push_back(0x01);
        EXPECT_EQ(QX04_BN_TAG2L(b.data(), f.iContext, b.data() + f.t.size()), f.ulWant) << (int)f.t[0];
    }
}

TEST_F(BnTag, DateTimeAndBitString) {
    EXPECT_EQ(L({0xA4, 0x62, 0x0C, 0x1F, 0x05}), 9631u);
    EXPECT_EQ(L({0xA4, 0x4F, 0x0C, 0x1F, 0x05}), 0xFFFFFFFFu); // 1979 is before the packed date
    EXPECT_EQ(L({0xB4, 0x0D, 0x1E, 0x2D, 0x00}), 27606u);
    EXPECT_EQ(L({0x82, 0x04, 0xA0}), 5u);
    EXPECT_EQ(L({0x85, 0x05, 0x00, 0x80, 0x00, 0x00, 0x01}), 0x80000001u);
    EXPECT_EQ(L({0x82, 0x08, 0xFF}), 0xFFFFFFFFu);
}

TEST_F(BnTag, Strings) {
    NT_BYTES abc{0x75, 0x06, 0x00, 'A', 'B', 'C', 'D', 'E'};
    EXPECT_STREQ(QX04_BN_TAG2C(abc.data(), -1, abc.data() + abc.size()), "ABCDE");
    NT_BYTES lang{0x75, 0xFE, 0x01, 0x2D, 0x00};
    for (int i = 0; i < 300; i++)
        lang.push_back((unsigned char)('a' + i % 26));
    const char *s = QX04_BN_TAG2C(lang.data(), -1, lang.data() + lang.size());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::strlen(s), 255u);
    EXPECT_EQ(std::string(s), std::string(lang.begin() + 5, lang.begin() + 260));
    // invalid lengths give the empty text, other types none
    NT_BYTES leer{0x75, 0xFE, 0x00, 0x00};
    EXPECT_STREQ(QX04_BN_TAG2C(leer.data(), -1, leer.data() + leer.size()), "");
    NT_BYTES bad{0x75, 0x03, 0x00, 'A', 'B'};
    EXPECT_STREQ(QX04_BN_TAG2C(bad.data(), -1, bad.data() + bad.size()), "");
    NT_BYTES zahl{0x21, 0x05};
    EXPECT_EQ(QX04_BN_TAG2C(zahl.data(), -1, zahl.data() + 2), nullptr);
    NT_BYTES ctx{0x3C, 0x00, 'x', 'y', 'z'};
    EXPECT_STREQ(QX04_BN_TAG2C(ctx.data(), 7, ctx.data() + ctx.size()), "xyz");
    EXPECT_EQ(QX04_BN_TAG2C(ctx.data(), -1, ctx.data() + ctx.size()), nullptr);
}

// A value decoded once within the bytes it may take: a text whole with its set (UCS-2 keeps its zero bytes),
// a number as the value decoders give it, nothing for a tag cut off by the end or of another kind.
TEST_F(BnTag, ValueDecodedOnceWithinItsEnd) {
    ulUT_fUNDEF = 0xFFFFFFFF;
    const NT_BYTES ucs{0x75, 0x05, 0x04, 0x00, 'K', 0x00, 0xE4};
    struct Fall {
        const char *cWas;
        NT_BYTES v;
        std::size_t uEnde; // bytes that may be read
        int iTag, iTextLen, iSatz;
        std::uint32_t ulWert;
    } const aFall[] = {
        {"UCS-2 text", ucs, 7, 7, 4, 4, 0xFFFFFFFF},
        {"the same cut off by the end", ucs, 6, -1, 0, 0, 0xFFFFFFFF},
        {"text without content", {0x70}, 1, 7, 0, 0, 0xFFFFFFFF},
        {"unsigned", {0x21, 0x03}, 2, 2, 0, 0, 0x40400000},
        {"object identifier", {0xC4, 0x00, 0x00, 0x00, 0x07}, 5, 12, 0, 0, 7},
        {"octet string", {0x61, 0x03}, 2, -1, 0, 0, 0xFFFFFFFF},
        {"nothing", {0x21}, 0, -1, 0, 0, 0xFFFFFFFF},
    };
    for (const Fall &f : aFall) {
        QX04_BN_WERT_Struct w;
        EXPECT_EQ(QX04_BN_WERTLESEN(f.v.data(), f.v.data() + f.uEnde, &w), f.iTag == 7 ? 7 : f.iTag)
            << f.cWas;
        EXPECT_EQ(w.iTag, f.iTag == 7 ? -1 : f.iTag) << f.cWas;
        EXPECT_EQ(w.ucText != nullptr, f.iTag == 7) << f.cWas;
        EXPECT_EQ(w.iTextLen, f.iTextLen) << f.cWas;
        EXPECT_EQ(w.ucSatz, f.iSatz) << f.cWas;
        EXPECT_EQ(w.ulWert, f.ulWert) << f.cWas;
    }
    QX04_BN_WERT_Struct w;
    QX04_BN_WERTLESEN(ucs.data(), ucs.data() + ucs.size(), &w);
    EXPECT_EQ(std::memcmp(w.ucText, "\0K\0\xE4", 4), 0);
}

// ReadProperty-ACK of device 5 for property 77 (or another one), value tags as given.
static NT_BYTES ACK(int iProp, std::initializer_list<int> wert, bool bIndex = false) {
    NT_BYTES f = NT_FRAME({0x30, 0x07, 0x0C, 0x0C, 0x02, 0x00, 0x00, 0x05, 0x19, iProp});
    if (bIndex) f.insert(f.end(), {0x29, 0x01});
    f.push_back(0x3E);
    for (int b : wert)
        f.push_back((unsigned char)b);
    f.push_back(0x3F);
    f[3] = (unsigned char)f.size();
    return f;
}

TEST_F(BnTag, ValueOfAnAcknowledgement) {
    std::uint32_t ul = 0;
    EXPECT_EQ(QX04_BN_GETWERT(ACK(85, {0x44, 0x41, 0x20, 0x00, 0x00}).data(), 85, &ul), 4);
    EXPECT_EQ(F(ul), 10.0f);
    EXPECT_EQ(QX04_BN_GETWERT(ACK(85, {0x31, 0xFF}).data(), 85, &ul), 3);
    EXPECT_EQ(F(ul), -1.0f);
    EXPECT_EQ(QX04_BN_GETWERT(ACK(74, {0x21, 0x03}).data(), 74, &ul), 2);
    EXPECT_EQ(F(ul), 3.0f);
    EXPECT_EQ(QX04_BN_GETWERT(ACK(76, {0xC4, 0x00, 0x00, 0x00, 0x07}, true).data(), 76, &ul), 12);
    EXPECT_EQ(ul, 0x00000007u);
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(BnTag, PropertyMismatchAndWrongTypes) {
    ulUT_fUNDEF = 0xFFFFFFFF;
    std::uint32_t ul = 0;
    auto f = ACK(77, {0x21, 0x05});
    EXPECT_EQ(QX04_BN_GETWERT(f.data(), 85, &ul), -1);
    EXPECT_EQ(ul, 0xFFFFFFFFu);
    EXPECT_EQ(QX04_BN_GETCHAR(f.data(), 85), nullptr);
    EXPECT_TRUE(NT_EL_NEU().empty());
    EXPECT_EQ(QX04_BN_GETWERT(f.data(), 0xFFFF, &ul), 2);
    EXPECT_EQ(F(ul), 5.0f);

    auto s = ACK(77, {0x75, 0x06, 0x00, 'A', 'B', 'C', 'D', 'E'});
    EXPECT_STREQ(QX04_BN_GETCHAR(s.data(), 77), "ABCDE");
    EXPECT_EQ(QX04_BN_GETWERT(s.data(), 77, &ul), -1);
    EXPECT_EQ(QX04_BN_GETCHAR(f.data(), 77), nullptr);
    auto el = NT_EL_NEU();
    ASSERT_EQ(el.size(), 2u);
    EXPECT_EQ(el[0], "QX04_BN_GETWERT:  -1 (0xFFFFFFFF) / 7 (0x0007)  (unzul. Tag)");
    EXPECT_EQ(el[1], "QX04_BN_GETCHAR:  -1 (0xFFFFFFFF) / 2 (0x0002)  (unzul. Tag)");
}

TEST_F(BnTag, AcknowledgementsCutShortGiveNoValue) {
    std::uint32_t ul;
    // opening tag is the last byte: no value tag
    auto f = NT_FRAME({0x30, 0x07, 0x0C, 0x0C, 0x02, 0x00, 0x00, 0x05, 0x19, 0x55, 0x3E});
    EXPECT_EQ(QX04_BN_GETWERT(f.data(), 85, &ul), -1);
    // value tag announces more bytes than the frame holds
    auto g = NT_FRAME({0x30, 0x07, 0x0C, 0x0C, 0x02, 0x00, 0x00, 0x05, 0x19, 0x55, 0x3E, 0x44, 0x41, 0x20});
    EXPECT_EQ(QX04_BN_GETWERT(g.data(), 85, &ul), -1);
    auto s =
        NT_FRAME({0x30, 0x07, 0x0C, 0x0C, 0x02, 0x00, 0x00, 0x05, 0x19, 0x4D, 0x3E, 0x75, 0x20, 0x00, 'A'});
    EXPECT_EQ(QX04_BN_GETCHAR(s.data(), 77), nullptr);
    // no opening tag before the end
    auto o = NT_FRAME({0x30, 0x07, 0x0C, 0x0C, 0x02, 0x00, 0x00, 0x05, 0x19, 0x4D, 0x29, 0x01, 0x21});
    EXPECT_EQ(QX04_BN_GETCHAR(o.data(), 77), nullptr);
    // object identifier tag running past the end
    auto k = NT_FRAME({0x30, 0x07, 0x0C, 0x0C, 0x02, 0x00});
    EXPECT_EQ(QX04_BN_GETWERT(k.data(), 0xFFFF, &ul), -1);
    // a string whose 16-bit length reaches beyond the frame
    auto l = NT_FRAME({0x30, 0x07, 0x0C, 0x0C, 0x02, 0x00, 0x00, 0x05, 0x19, 0x4D, 0x3E, 0x75, 0xFE, 0x01});
    EXPECT_EQ(QX04_BN_GETCHAR(l.data(), 77), nullptr);
    EXPECT_TRUE(NT_EL_NEU().empty());
}
