// The scanner as a small device of its own: ReadProperty requests for its device object are answered from
// the property table, everything else is refused, network-layer messages get no answer. Answers are
// received on a loopback endpoint inside the private network namespace of the test harness.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "bacnet/bn.h"
#include "bn_test.h"
#include "support/el_probe.h"
#include "support/netns_guard.h"

static const int iGuard = [] {
    NT_REQUIRE_PRIVATE_NETNS();
    return 0;
}();

using Zeilen = std::vector<std::string>;
constexpr std::uint32_t LO = 0x7F000001;
constexpr int INV = 0x4B; // invoke id of the requests

class BnMsgRpr : public ::testing::Test {
  protected:
    int iPeer = -1;
    IP_PORT stPeer{LO, 47809};
    void SetUp() override {
        NT_EL_START();
        IP_INIT();
        iQX04_IP_APP = IP_OPEN(1, 47808, nullptr);
        iPeer = IP_OPEN(1, 47809, nullptr);
        ASSERT_GE(iQX04_IP_APP, 0);
        ASSERT_GE(iPeer, 0);
        ulQX04_SDEV = 0xFFFFFFFF;
        NT_EL_NEU();
    }
    void TearDown() override {
        IP_EXIT();
        iQX04_IP_APP = -1;
    }
    // What came back to the asking node; empty when nothing did.
    NT_BYTES ANTWORT() {
        unsigned char b[1500];
        IP_PORT von{};
        int iCMD, iSCMD;
        int n = IP_RECV(iPeer, &von, &iCMD, &iSCMD, sizeof b, b);
        if (n <= 0) return {};
        EXPECT_EQ(von.ulAdr, LO);
        EXPECT_EQ(von.usPort, 47808);
        return NT_BYTES(b, b + n);
    }
    // ReadProperty request with the given tags after the four header bytes.
    NT_BYTES FRAGE(const IP_PORT &stVon, std::initializer_list<int> tags) {
        NT_BYTES f = NT_FRAME({0x00, 0x05, INV, 0x0C}, 0x04);
        for (int b : tags)
            f.push_back((unsigned char)b);
        f[3] = (unsigned char)f.size();
        EXPECT_EQ(QX04_BN_MSGRPR(&stVon, f.data()), 0);
        return ANTWORT();
    }
    NT_BYTES FRAGE(std::initializer_list<int> tags) {
        return FRAGE(stPeer, tags);
    }
};

// Complex-ACK for the own device: header, object identifier, property, optional index, value.
static NT_BYTES ACK(int iProp, const NT_BYTES &wert, int iIndex = -1) {
    NT_BYTES a{0x81, 0x0A, 0x00, 0x00, 0x01, 0x00, 0x30, INV,
               0x0C, 0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0x19, (unsigned char)iProp};
    if (iIndex >= 0) {
        a.push_back(0x29);
        a.push_back((unsigned char)iIndex);
    }
    a.push_back(0x3E);
    for (unsigned char b : wert)
        a.push_back(b);
    a.push_back(0x3F);
    a[3] = (unsigned char)a.size();
    return a;
}

static NT_BYTES FEHLER(int iKlasse, int iCode, int iInvoke = INV) {
    return {0x81,
            0x0A,
            0x00,
            0x0D,
            0x01,
            0x00,
            0x50,
            (unsigned char)iInvoke,
            0x0C,
            0x91,
            (unsigned char)iKlasse,
            0x91,
            (unsigned char)iCode};
}

static NT_BYTES TEXT(const std::string &s) {
    NT_BYTES b{0x75, (unsigned char)(s.size() + 1), 0x00};
    for (char c : s)
        b.push_back((unsigned char)c);
    return b;
}

TEST_F(BnMsgRpr, ObjectNameOfTheOwnDevice) {
    NT_BYTES a = FRAGE({0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0x19, 0x4D});
    EXPECT_EQ(a, ACK(77, TEXT("GA-Knoten (QX04)")));
    ASSERT_GE(a.size(), 20u);
    EXPECT_EQ(a[17], 0x75);
    EXPECT_EQ(a[18], 0x11);
    EXPECT_EQ(a[19], 0x00);
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(BnMsgRpr, PropertyTable) {
    struct {
        int iProp;
        NT_BYTES wert;
    } faelle[] = {
        {75, {0xC4, 0xFF, 0xFF, 0xFF, 0xFF}},
        {70, TEXT("GA-Knoten (QX04)")},
        {28, TEXT("GA-Knoten (QX04)")},
        {121, TEXT("Daten - Technik  KORVAN   (KVS)")},
        {44, TEXT("V1.4 (QX04)")},
        {12, TEXT("V1.4 (QX04)")},
        {79, {0x91, 0x08}},
        {112, {0x91, 0x00}},
        {120, {0x21, 0xFF}},
        {98, {0x21, 0x01}},
        {95, {0x21, 0x01}},
        {97, {0x85, 0x06, 0x00, 0x00, 0x08, 0x00, 0x20, 0x20}},
        {96, {0x84, 0x01, 0x00, 0x80, 0x00}},
        {62, {0x22, 0x05, 0xC4}},
        {107, {0x91, 0x03}},
        {11, {0x22, 0x0B, 0xB8}},
        {73, {0x21, 0x03}},
        {30, {}},
    };
    for (auto &f : faelle)
        EXPECT_EQ(FRAGE({0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0x19, f.iProp}), ACK(f.iProp, f.wert)) << f.iProp;
}

TEST_F(BnMsgRpr, ObjectListHoldsTheDeviceAlone) {
    EXPECT_EQ(FRAGE({0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0x19, 0x4C, 0x29, 0x00}), ACK(76, {0x21, 0x01}, 0));
    EXPECT_EQ(FRAGE({0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0x19, 0x4C, 0x29, 0x01}),
              ACK(76, {0xC4, 0xFF, 0xFF, 0xFF, 0xFF}, 1));
    EXPECT_EQ(FRAGE({0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0x19, 0x4C}), ACK(76, {0xC4, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(FRAGE({0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0x19, 0x4C, 0x29, 0x02}), FEHLER(2, 42));
    EXPECT_EQ(FRAGE({0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0x19, 0x4C, 0x2A, 0x01, 0x00}), FEHLER(2, 42));
}

TEST_F(BnMsgRpr, RefusedRequests) {
    // a property the device does not have
    EXPECT_EQ(FRAGE({0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0x19, 0x51}), FEHLER(1, 29));
    // 332 is no object-list although its low byte is 76
    EXPECT_EQ(FRAGE({0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0x1A, 0x01, 0x4C}), FEHLER(1, 29));
    // another device
    EXPECT_EQ(FRAGE({0x0C, 0x02, 0x00, 0x30, 0x39, 0x19, 0x4D}), FEHLER(1, 29));
    // an object-identifier tag of invalid length
    EXPECT_EQ(FRAGE({0x0D, 0x00, 0x19, 0x4D}), FEHLER(1, 29));
    // the property tag runs past the end of the frame
    EXPECT_EQ(FRAGE({0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0x1A, 0x00}), FEHLER(1, 29));
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(BnMsgRpr, ObjectIdentifierWithoutValueMeansTheOwnDevice) {
    // an opening tag where the object identifier belongs decodes to all ones
    EXPECT_EQ(FRAGE({0x0E, 0x19, 0x4D}), ACK(77, TEXT("GA-Knoten (QX04)")));
}

TEST_F(BnMsgRpr, InvokeIdOfASegmentedRequest) {
    NT_BYTES f =
        NT_FRAME({0x08, 0x05, 0x21, 0x00, 0x01, 0x0C, 0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0x19, 0x51}, 0x04);
    EXPECT_EQ(QX04_BN_MSGRPR(&stPeer, f.data()), 0);
    EXPECT_EQ(ANTWORT(), FEHLER(1, 29, 0x21));
}

TEST_F(BnMsgRpr, RequestEndingAfterItsHeader) {
    NT_BYTES f = NT_FRAME({0x00, 0x05, INV, 0x0C}, 0x04);
    EXPECT_EQ(QX04_BN_MSGRPR(&stPeer, f.data()), 0);
    EXPECT_TRUE(ANTWORT().empty());
    EXPECT_EQ(NT_EL_NEU(), Zeilen{"QX04_BN_MSGRPR:  10 (0x000A) / -1 (0xFFFFFFFF)  (APDU zu kurz)"});
}

TEST_F(BnMsgRpr, FrameWithoutNpdu) {
    NT_BYTES f = NT_RAW({0x81, 0x0A, 0x00, 0x04});
    EXPECT_EQ(QX04_BN_MSGRPR(&stPeer, f.data()), 0);
    EXPECT_TRUE(ANTWORT().empty());
    EXPECT_EQ(NT_EL_NEU(), Zeilen{"QX04_BN_MSGRPR:  4 (0x0004) / -1 (0xFFFFFFFF)  (BVLC zu kurz)"});
}

TEST_F(BnMsgRpr, NetworkLayerMessagesGetNoAnswer) {
    NT_BYTES f = NT_RAW({0x81, 0x0B, 0x00, 0x07, 0x01, 0x80, 0x00}); // Who-Is-Router-To-Network
    EXPECT_EQ(QX04_BN_MSGNW(&stPeer, f.data()), 0);
    EXPECT_EQ(QX04_BN_MSGRPR(&stPeer, f.data()), 0);
    EXPECT_TRUE(ANTWORT().empty());
    EXPECT_TRUE(NT_EL_NEU().empty());
}
