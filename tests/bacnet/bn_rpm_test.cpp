// ReadPropertyMultiple: the request as built byte for byte, and acknowledgements split into their results,
// well-formed ones and every way of breaking their shape, never reading beyond the frame.
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "bacnet/bn.h"
#include "bn_test.h"

namespace {
constexpr int OBJ = 0x0C, AUF1 = 0x1E, ZU1 = 0x1F, AUF4 = 0x4E, ZU4 = 0x4F, AUF5 = 0x5E, ZU5 = 0x5F;

const auto ACK = [](std::initializer_list<int> tags) { return NT_ACK(0x0E, tags); };

// Results as "objid/prop[idx]=value|Ecode", values shown by their first tag byte.
std::string ERG(const NT_BYTES &f, int iMax = 16) {
    std::vector<QX04_BN_RPMERG> v(iMax);
    int n = QX04_BN_RPMACK(f.data(), v.data(), iMax);
    if (n < 0) return "-1";
    std::string s;
    for (int i = 0; i < n; i++) {
        const auto &e = v[i];
        s += std::to_string(e.stRef.ulObjId) + "/" + std::to_string(e.stRef.ulPropId) + "[" +
             std::to_string(e.stRef.lIndex) + "]=";
        s += e.iWert > 0 ? std::to_string(f[e.iWert]) + "@" + std::to_string(e.iEnde - e.iWert)
                         : "E" + std::to_string(-1000 - e.iFehler);
        s += " ";
    }
    return s;
}
} // namespace

TEST(BnRpm, AcknowledgementsSplitIntoResults) {
    struct Fall {
        const char *cWas;
        NT_BYTES f;
        std::string sSoll;
    } aFall[] = {
        {"a name, a description refused, units",
         ACK({OBJ, 0,    0,    0, 3,    AUF1, 0x29, 77,   AUF4, 0x73, 0,    'A', 'B', ZU4, 0x29,
              28,  AUF5, 0x91, 2, 0x91, 32,   ZU5,  0x29, 117,  AUF4, 0x91, 62,  ZU4, ZU1}),
         "3/77[-1]=115@4 3/28[-1]=E32 3/117[-1]=145@2 "},
        {"two objects; an index, a property and an index above 255, an empty value list",
         ACK({OBJ, 2,   0, 0,    9, AUF1, 0x29, 76,   0x39, 1,    AUF4, 0xC4, 0, 0,    0,   1,  ZU4,
              ZU1, OBJ, 0, 0x40, 0, 1,    AUF1, 0x2A, 1,    0x2C, 0x3A, 1,    0, AUF4, ZU4, ZU1}),
         "33554441/76[1]=196@5 4194305/300[256]=79@0 "},
        {"list not closed", ACK({OBJ, 0, 0, 0, 1, AUF1, 0x29, 85, AUF4, 0x21, 1, ZU4}), "-1"},
        {"other closing tag", ACK({OBJ, 0, 0, 0, 1, AUF1, 0x29, 85, AUF4, 0x21, 1, 0x3F, ZU1}), "-1"},
        {"values cut off", ACK({OBJ, 0, 0, 0, 1, AUF1, 0x29, 85, AUF4, 0x21, 1}), "-1"},
        {"code above 16 bits", ACK({OBJ, 0, 0, 0, 1, AUF1, 0x29, 85, AUF5, 0x91, 2, 0x93, 1, 0, 0, ZU5, ZU1}),
         "-1"},
        {"code not enumerated", ACK({OBJ, 0, 0, 0, 1, AUF1, 0x29, 85, AUF5, 0x91, 2, 0x21, 1, ZU5, ZU1}),
         "-1"},
        {"no result", ACK({OBJ, 0, 0, 0, 1, AUF1, ZU1}), "-1"},
        {"no opening tag 1", ACK({OBJ, 0, 0, 0, 1, 0x29, 85, AUF4, 0x21, 1, ZU4, ZU1}), "-1"},
        {"value not enclosed", ACK({OBJ, 0, 0, 0, 1, AUF1, 0x29, 85, 0x21, 1, ZU1}), "-1"},
        {"tag past the end", ACK({OBJ, 0, 0, 0, 1, AUF1, 0x29, 85, AUF4, 0x75, 0x20, 0, 'A', ZU4, ZU1}),
         "-1"},
        {"nothing after the header", ACK({}), "-1"},
        {"another service", NT_ACK(0x0C, {OBJ, 0, 0, 0, 1, AUF1, 0x29, 85, AUF4, 0x21, 1, ZU4, ZU1}), "-1"},
        {"segmented",
         NT_FRAME({0x38, 7, 0, 1, 0x0E, OBJ, 0, 0, 0, 1, AUF1, 0x29, 85, AUF4, 0x21, 1, ZU4, ZU1}), "-1"},
    };
    for (const auto &c : aFall)
        EXPECT_EQ(ERG(c.f), c.sSoll) << c.cWas;
    // More results than room for them
    EXPECT_EQ(ERG(aFall[0].f, 2), "-1");
    EXPECT_EQ(ERG(aFall[0].f, 3), aFall[0].sSoll);
}

// An array read whole: "A", a constructed element that counts once, "CD"; no element 0 and none past them.
TEST(BnRpm, ArrayElementsAtTheirPositions) {
    const NT_BYTES f = ACK({OBJ, 0,    0x40, 0, 2,    AUF1, 0x29, 110, AUF4, 0x72, 0,
                            'A', 0x0E, 0x21, 9, 0x0F, 0x73, 0,    'C', 'D',  ZU4,  ZU1});
    QX04_BN_RPMERG e;
    ASSERT_EQ(QX04_BN_RPMACK(f.data(), &e, 1), 1);
    EXPECT_STREQ(QX04_BN_CHAR(f.data(), QX04_BN_RPMELEM(f.data(), &e, 1)), "A");
    EXPECT_EQ(f[QX04_BN_RPMELEM(f.data(), &e, 2)], 0x0E);
    EXPECT_STREQ(QX04_BN_CHAR(f.data(), QX04_BN_RPMELEM(f.data(), &e, 3)), "CD");
    EXPECT_EQ(QX04_BN_RPMELEM(f.data(), &e, 4), 0);
    EXPECT_EQ(QX04_BN_RPMELEM(f.data(), &e, 0), 0);
}

TEST(BnRpm, RequestsByteForByte) {
    std::vector<QX04_BN_ROUTE> tabelle;
    NT_RT_LEER(tabelle);
    setenv("HOST", "10.1.2.7", 1);
    IP_PORT direkt{0x0A000014, 47808}, router{0x0A000001, 47809}, p{};
    const unsigned char mac[] = {0x21};
    QX04_BN_RT_SET(0x02000000 | 1234, 0, 0, nullptr, &direkt);
    QX04_BN_RT_SET(0x02000000 | 77, 5, 1, mac, &router);
    ucQX04_InvokeId = 0x40;
    unsigned char buf[QX04_BUF_SIZE];
    const QX04_BN_RPMREF r[] = {{3, 77, -1}, {3, 28, -1}, {0x4C00005, 110, 300}};
    ASSERT_EQ(QX04_BN_RPM(1234, r, 3, &p, buf), 33);
    EXPECT_EQ(NT_BYTES(buf, buf + 33),
              (NT_BYTES{0x81, 0x0A, 0, 33, 0x01, 0x04, 0x00, 0x05, 0x41, 0x0E, OBJ,
                        0,    0,    0, 3,  AUF1, 0x09, 77,   0x09, 28,   ZU1,  OBJ,
                        0x04, 0xC0, 0, 5,  AUF1, 0x09, 110,  0x1A, 0x01, 0x2C, ZU1}));
    EXPECT_EQ(p.ulAdr, 0x0A000014u);
    // routed, and longer than 255 bytes: the length takes both bytes
    std::vector<QX04_BN_RPMREF> v(100, QX04_BN_RPMREF{7, 77, 1});
    const int n = QX04_BN_RPM(77, v.data(), 100, &p, buf);
    EXPECT_EQ(n, 17 + 4 + 5 + 1 + 100 * 4 + 1);
    EXPECT_EQ(buf[2] << 8 | buf[3], n);
    EXPECT_EQ(p.ulAdr, 0x0A000001u);
    // too long for the buffer, or an unknown device: nothing built and no invoke id drawn
    std::vector<QX04_BN_RPMREF> w(400, QX04_BN_RPMREF{7, 77, 1});
    const unsigned char ucId = ucQX04_InvokeId;
    EXPECT_EQ(QX04_BN_RPM(1234, w.data(), 400, &p, buf), 0);
    EXPECT_EQ(QX04_BN_RPM(999, r, 3, &p, buf), 0);
    EXPECT_EQ(ucQX04_InvokeId, ucId);
}
