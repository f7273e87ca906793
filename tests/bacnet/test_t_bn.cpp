// The readable frame breakdown on the trace output, line by line.
#include <gtest/gtest.h>
#include <string>
#include "bacnet/bn.h"
#include "bn_test.h"
#include "runtime/ut/ut.h"
#include "support/trc_probe.h"

static const IP_PORT stVon{0x7F000001, 47808};
static const std::string KOPF =
    "\n\n(17.05.24  13:45:30)   QX04_T_BN:  BN-Datagramm f\x81r Port : >127.0.0.1#47808<";

// Trace output of one breakdown.
static std::string SPUR(const NT_BYTES &f) {
    return NT_TRC_SPUR([&] { EXPECT_EQ(QX04_T_BN(&stVon, f.data()), 0); });
}

static std::string BVLC(int iFunktion, int iLen) {
    char c[128];
    std::snprintf(c, sizeof c,
                  "\n\n    BVLC-Typ .....: 0x81\n        -Funktion : 0x%02X\n        -L\x84nge ...: %d",
                  iFunktion, iLen);
    return c;
}

TEST(BnTrace, OtherBvlcTypeEndsAtOnce) {
    EXPECT_EQ(SPUR(NT_RAW({0x82, 0x0A, 0x00, 0x08, 0x01, 0x00, 0x10, 0x08})),
              KOPF + "\n\n    BVLC-Typ .....: 0x82  ist unzul\x84ssig !!");
}

TEST(BnTrace, ForwardedNpduShowsTheOriginalSender) {
    NT_BYTES f = NT_RAW({0x81, 0x04, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x05, 0xBA, 0xC0, 0x01, 0x00, 0x10, 0x08});
    EXPECT_EQ(SPUR(f), KOPF + BVLC(4, 14) +
                           "\n        -Orig.Dev.: >10.0.0.5#47808<"
                           "\n\n    NPDU-Version .: 1\n        -Control .: 0x00  (Prio.: 0)"
                           "\n\n    APDU-Typ .... : 1");
}

TEST(BnTrace, NetworkMessageEndsTheBreakdown) {
    EXPECT_EQ(SPUR(NT_RAW({0x81, 0x0B, 0x00, 0x00, 0x01, 0x80, 0x01, 0x00, 0x05})),
              KOPF + BVLC(0x0B, 9) +
                  "\n\n    NPDU-Version .: 1\n        -Control .: 0x80  (Prio.: 0)"
                  "\n\n    Network Mess. : 0x01");
}

TEST(BnTrace, RoutedHeadersAndPriority) {
    // global broadcast on every network (DLEN 0) from network 5, MAC 6 bytes, priority 3
    NT_BYTES f = NT_FRAME(
        {0xFF, 0xFF, 0x00, 0x00, 0x05, 0x06, 0x0A, 0x00, 0x00, 0x14, 0xBA, 0xC0, 0xFE, 0x30, 0x07}, 0x2B);
    EXPECT_EQ(SPUR(f),
              KOPF + BVLC(0x0A, 21) +
                  "\n\n    NPDU-Version .: 1\n        -Control .: 0x2B  (Prio.: 3)"
                  "\n        -DNET ....: 65535\n        -DLEN ....: 0"
                  "\n        -SNET ....: 5\n        -SLEN ....: 6\n        -SADR ....: 0x0A000014BAC0"
                  "\n        -Hop Count: 254"
                  "\n\n    APDU-Typ .... : 3");
    f = NT_FRAME({0x00, 0x05, 0x01, 0x21, 0xFF, 0x50, 0x01, 0x0C}, 0x24);
    EXPECT_NE(SPUR(f).find("\n        -DNET ....: 5\n        -DLEN ....: 1\n        -DADR ....: 0x21"
                           "\n        -Hop Count: 255\n\n    APDU-Typ .... : 5"),
              std::string::npos);
}

TEST(BnTrace, ApduFlagWords) {
    auto typ = [](int b) {
        std::string s = SPUR(NT_FRAME({b, 0x01, 0x02}));
        return s.substr(s.rfind("\n\n    APDU-Typ"));
    };
    EXPECT_EQ(typ(0x0E), "\n\n    APDU-Typ .... : 0  SEG  MORE  SA");
    EXPECT_EQ(typ(0x38), "\n\n    APDU-Typ .... : 3  SEG");
    EXPECT_EQ(typ(0x50), "\n\n    APDU-Typ .... : 5");
    EXPECT_EQ(typ(0x53), "\n\n    APDU-Typ .... : 5  NAK  SRV");
    EXPECT_EQ(typ(0x7F), "\n\n    APDU-Typ .... : 7  NAK  SRV");
}

TEST(BnTrace, HeadersLongerThanTheFrameAreNotReadPast) {
    // the source specifier announces 6 address bytes, the frame ends after 2 of them
    NT_BYTES f = NT_FRAME({0x00, 0x05, 0x06, 0x0A, 0x00}, 0x08);
    EXPECT_EQ(SPUR(f), KOPF + BVLC(0x0A, 11) +
                           "\n\n    NPDU-Version .: 1\n        -Control .: 0x08  (Prio.: 0)"
                           "\n        -SNET ....: 5\n        -SLEN ....: 6\n\n    Datagramm zu kurz !!");
    EXPECT_EQ(SPUR(NT_RAW({0x81, 0x0A, 0x00, 0x04})), KOPF + BVLC(0x0A, 4) + "\n\n    NPDU fehlt !!");
    EXPECT_EQ(SPUR(NT_RAW({0x81, 0x04, 0x00, 0x06, 0x0A, 0x00})),
              KOPF + BVLC(4, 6) + "\n\n    Datagramm zu kurz !!");
    EXPECT_EQ(
        SPUR(NT_RAW({0x81, 0x0A, 0x00, 0x06, 0x01, 0x00})),
        KOPF + BVLC(0x0A, 6) +
            "\n\n    NPDU-Version .: 1\n        -Control .: 0x00  (Prio.: 0)\n\n    Datagramm zu kurz !!");
}

TEST(BnTrace, EntryAndExitLines) {
    TEST_T_A1 = TEST_T_A4 = 1;
    std::string s = SPUR(NT_FRAME({0x10, 0x08}));
    TEST_T_A1 = TEST_T_A4 = 0;
    std::size_t uEin = s.find("\n\n(17.05.24  13:45:30)   QX04_T_BN:  Nach Aufruf  Port : >127.0.0.1#47808<");
    ASSERT_NE(uEin, std::string::npos) << s;
    EXPECT_LT(uEin, s.find("BN-Datagramm"));
    EXPECT_NE(s.find("\n\n    APDU-Typ .... : 1\n\n(17.05.24  13:45:30)   QX04_T_BN:  Vor  RETURN   ier : 0"),
              std::string::npos)
        << s;
}
