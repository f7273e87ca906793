// ReadProperty requests as the scan loop sends them: local and routed frames byte for byte, array indexes,
// the invoke-id sequence, and unknown devices. Builds frames only; nothing is sent.
#include <cstdlib>
#include <vector>
#include <gtest/gtest.h>
#include "bacnet/bn.h"
#include "bn_test.h"

namespace {
std::vector<QX04_BN_ROUTE> tabelle;
unsigned char buf[QX04_BUF_SIZE];

class BnRd : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("HOST", "10.1.2.7", 1); // a dotted host name resolves to itself, without any lookup
        NT_RT_LEER(tabelle);
        IP_PORT direkt{0x0A000014, 47808}, router{0x0A000001, 47809};
        const unsigned char mac[] = {0x21};
        QX04_BN_RT_SET(0x02000000 | 1234, 0, 0, nullptr, &direkt);
        QX04_BN_RT_SET(0x02000000 | 77, 5, 1, mac, &router);
        ucQX04_InvokeId = 0x40;
        iQX04_IP_Port = 47808;
        ulQX04_IP_Adr = 0xFFFFFFFF;
    }
    NT_BYTES RD(std::uint32_t ulDev, std::uint32_t ulObj, std::uint16_t usProp, IP_PORT *p) {
        int n = QX04_BN_RD(ulDev, ulObj, usProp, p, buf);
        return NT_BYTES(buf, buf + (n > 0 ? n : 0));
    }
    NT_BYTES RDARR(std::uint32_t ulDev, std::uint32_t ulObj, std::uint16_t usProp, std::uint16_t usIdx) {
        IP_PORT p{};
        int n = QX04_BN_RDARR(ulDev, ulObj, usProp, usIdx, &p, buf);
        return NT_BYTES(buf, buf + (n > 0 ? n : 0));
    }
};
} // namespace

TEST_F(BnRd, LocalRequest) {
    IP_PORT p{};
    EXPECT_EQ(RD(1234, 0x00000003, 85, &p), (NT_BYTES{0x81, 0x0A, 0x00, 0x11, 0x01, 0x04, 0x00, 0x05, 0x41,
                                                      0x0C, 0x0C, 0x00, 0x00, 0x00, 0x03, 0x19, 0x55}));
    EXPECT_EQ(p.ulAdr, 0x0A000014u);
    EXPECT_EQ(p.usPort, 47808);
    // by device identifier as well as by bare instance
    auto f = RD(0x02000000 | 1234, 0x00000003, 300, &p);
    EXPECT_EQ(f.size(), 18u);
    EXPECT_EQ(f[3], 18);
    EXPECT_EQ(f[8], 0x42);
    EXPECT_EQ(NT_BYTES(f.end() - 3, f.end()), (NT_BYTES{0x1A, 0x01, 0x2C}));
}

TEST_F(BnRd, ArrayIndexBelowAndAbove255) {
    auto f = RDARR(1234, 0x02000000 | 1234, 76, 0);
    ASSERT_EQ(f.size(), 19u);
    EXPECT_EQ(f[3], 0x13);
    EXPECT_EQ(NT_BYTES(f.end() - 2, f.end()), (NT_BYTES{0x29, 0x00}));
    f = RDARR(1234, 0x02000000 | 1234, 76, 256);
    ASSERT_EQ(f.size(), 20u);
    EXPECT_EQ(f[3], 20);
    EXPECT_EQ(NT_BYTES(f.end() - 3, f.end()), (NT_BYTES{0x2A, 0x01, 0x00}));
    f = RDARR(1234, 0x02000000 | 1234, 300, 255);
    ASSERT_EQ(f.size(), 20u);
    EXPECT_EQ(NT_BYTES(f.end() - 5, f.end()), (NT_BYTES{0x1A, 0x01, 0x2C, 0x29, 0xFF}));
}

TEST_F(BnRd, RoutedRequestCarriesOwnEndpointAndDestination) {
    IP_PORT p{};
    auto f = RD(77, 0x00000003, 85, &p);
    ASSERT_EQ(f.size(), 28u);
    EXPECT_EQ(NT_BYTES(f.begin(), f.begin() + 17), (NT_BYTES{0x81, 0x04, 0x00, 28, 10, 1, 2, 7, 0xBA, 0xC0,
                                                             0x01, 0x24, 0x00, 0x05, 0x01, 0x21, 0xFF}));
    EXPECT_EQ(NT_BYTES(f.begin() + 17, f.end()),
              (NT_BYTES{0x00, 0x05, 0x41, 0x0C, 0x0C, 0x00, 0x00, 0x00, 0x03, 0x19, 0x55}));
    EXPECT_EQ(p.ulAdr, 0x0A000001u);
    EXPECT_EQ(p.usPort, 47809);
    // the APDU lies where the receiving side looks for it
    EXPECT_EQ(QX04_BN_POSAPDU(f.data()), 17);
    // another port of the scanner goes into the header
    iQX04_IP_Port = 47810;
    f = RD(77, 0x00000003, 85, &p);
    EXPECT_EQ(f[8], 0xBA);
    EXPECT_EQ(f[9], 0xC2);
}

TEST_F(BnRd, InvokeIdsAdvanceOnlyForFramesBuilt) {
    IP_PORT p{7, 7};
    buf[0] = 0xEE;
    EXPECT_EQ(QX04_BN_RD(4711, 3, 85, &p, buf), 0);
    EXPECT_EQ(QX04_BN_RDARR(4711, 3, 76, 1, &p, buf), 0);
    EXPECT_EQ(ucQX04_InvokeId, 0x40);
    EXPECT_EQ(buf[0], 0xEE);
    EXPECT_EQ(p.ulAdr, 7u);
    ucQX04_InvokeId = 254;
    EXPECT_EQ(RD(1234, 3, 85, &p)[8], 255);
    EXPECT_EQ(RD(1234, 3, 85, &p)[8], 0);
    EXPECT_EQ(RDARR(1234, 3, 85, 2)[8], 1);
}
