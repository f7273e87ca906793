// Route table: the route file, recording routes from I-Am answers, and finding devices by instance or by the
// address they send from.
#include <cstring>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>
#include <gtest/gtest.h>
#include "bacnet/bn.h"
#include "bn_test.h"

namespace {
std::vector<QX04_BN_ROUTE> tabelle;

// The route file line of fixed columns: instance 0-6, network 8-12, MAC 14-25, endpoint from 27.
std::string ZEILE(const char *cInst, const char *cNet, const char *cMac, const char *cPort) {
    char c[128];
    std::snprintf(c, sizeof c, "%-7s %-5s %-12s %s", cInst, cNet, cMac, cPort);
    return c;
}

IP_PORT EP(std::uint32_t ulAdr, std::uint16_t usPort) {
    return IP_PORT{ulAdr, usPort};
}

// Only the lines of the route table's own operations (the endpoint conversion may add notices).
std::vector<std::string> RT_LOG() {
    std::vector<std::string> v;
    for (auto &z : NT_EL_NEU())
        if (z.rfind("QX04_BN_RT", 0) == 0) v.push_back(z);
    return v;
}

class BnRoute : public ::testing::Test {
  protected:
    void SetUp() override {
        NT_EL_START();
        NT_EL_NEU();
        NT_RT_LEER(tabelle);
        ulUT_LOOPZeit = 0x5A5A1234;
        std::remove("qx/qx04ddev.bn");
    }
    void DATEI(const std::vector<std::string> &zeilen) {
        mkdir("qx", 0755);
        std::ofstream f("qx/qx04ddev.bn");
        for (auto &z : zeilen)
            f << z << "\n";
    }
};
} // namespace

TEST_F(BnRoute, FileLinesInFixedColumns) {
    DATEI({ZEILE("0001234", "00000", "", "10.0.0.20#47808"), ZEILE("77", "5", "21", "10.0.0.1#47809"),
           ZEILE("0000078", "00007", "0A0B0C0D0E0F", "10.0.0.2#47808"),
           std::string("0000099 00000              5"), // 28 characters
           ZEILE("x001234", "00000", "", "10.0.0.21#47808"), ZEILE("0000100", "y0000", "", "10.0.0.22#47808"),
           ZEILE("0000101", "00000", "G1", "10.0.0.23#47808"),
           ZEILE("9999999", "00000", "", "10.0.0.24#47808"),
           // 62 characters and no line end: the next device follows on the same line
           ZEILE("0000102", "00000", "", "10.0.0.25#47808") + std::string(20, ' ') +
               ZEILE("0000103", "00000", "", "10.0.0.26#47808")});
    EXPECT_EQ(QX04_BN_RT_INIT(), 0);
    const QX04_BN_ROUTE &a = tabelle[0];
    EXPECT_EQ(a.ulSDEV, 1234u);
    EXPECT_EQ(a.usSNET, 0);
    EXPECT_EQ(a.ucSLEN, 0);
    EXPECT_EQ(a.stPort.ulAdr, 0x0A000014u);
    EXPECT_EQ(a.stPort.usPort, 47808);
    EXPECT_EQ(a.ulZeit, 0x5A5A1234u);
    const QX04_BN_ROUTE &b = tabelle[1];
    EXPECT_EQ(b.ulSDEV, 77u);
    EXPECT_EQ(b.usSNET, 5);
    ASSERT_EQ(b.ucSLEN, 1);
    EXPECT_EQ(b.ucSADR[0], 0x21);
    EXPECT_EQ(b.stPort.usPort, 47809);
    const QX04_BN_ROUTE &c = tabelle[2];
    EXPECT_EQ(c.ulSDEV, 78u);
    ASSERT_EQ(c.ucSLEN, 6);
    EXPECT_EQ(std::memcmp(c.ucSADR, "\x0A\x0B\x0C\x0D\x0E\x0F", 6), 0);
    // the lines of 28 characters, non-numeric fields and an instance beyond 22 bits are skipped; a line
    // longer than 62 characters is read in pieces, the first of which still names a device
    EXPECT_EQ(tabelle[3].ulSDEV, 102u);
    EXPECT_EQ(tabelle[4].ulSDEV, 103u);
    EXPECT_EQ(tabelle[4].stPort.ulAdr, 0x0A00001Au);
    EXPECT_EQ(tabelle[5].ulSDEV, 0xFFFFFFFFu);
    EXPECT_TRUE(RT_LOG().empty());
}

TEST_F(BnRoute, FirstLineForADeviceWins) {
    DATEI({ZEILE("0001234", "00000", "", "10.0.0.20#47808"),
           ZEILE("0001234", "00005", "21", "10.0.0.1#47808")});
    ulUT_LOOPZeit = 1;
    QX04_BN_RT_INIT();
    EXPECT_EQ(tabelle[0].usSNET, 0);
    EXPECT_EQ(tabelle[0].stPort.ulAdr, 0x0A000014u);
    EXPECT_EQ(tabelle[1].ulSDEV, 0xFFFFFFFFu);
    EXPECT_TRUE(RT_LOG().empty());
}

TEST_F(BnRoute, MissingFileLeavesTheTable) {
    EXPECT_EQ(QX04_BN_RT_INIT(), 0);
    EXPECT_EQ(tabelle[0].ulSDEV, 0xFFFFFFFFu);
}

TEST_F(BnRoute, RoutesFromIAmAnswers) {
    IP_PORT a = EP(0x0A000005, 47808), b = EP(0x0A000006, 47808), r = EP(0x0A000001, 47808);
    tabelle[0].iStatus = 1;
    EXPECT_EQ(QX04_BN_RT_SET(0x0200007B, 0, 0, nullptr, &a), 0);
    EXPECT_EQ(tabelle[0].ulSDEV, 123u);
    EXPECT_EQ(tabelle[0].iStatus, 2);
    EXPECT_EQ(QX04_BN_RT_SET(0x020001C8, 0, 0, nullptr, &a), 1);
    // the device moved to another endpoint: recorded without a log entry
    EXPECT_EQ(QX04_BN_RT_SET(0x0200007B, 0, 0, nullptr, &b), 0);
    EXPECT_EQ(tabelle[0].stPort.ulAdr, 0x0A000006u);
    EXPECT_TRUE(RT_LOG().empty());
    // now it answers through a router on network 5
    const unsigned char mac[] = {0x21};
    EXPECT_EQ(QX04_BN_RT_SET(0x0200007B, 5, 1, mac, &r), 0);
    auto el = RT_LOG();
    ASSERT_EQ(el.size(), 1u);
    EXPECT_EQ(el[0], "QX04_BN_RT_SET:  -1 (0xFFFFFFFF) / 33554555 (0x200007B)  (neue Route)");
    EXPECT_EQ(tabelle[0].usSNET, 5);
    EXPECT_EQ(tabelle[0].ucSLEN, 1);
    EXPECT_EQ(tabelle[0].ucSADR[0], 0x21);
    EXPECT_EQ(tabelle[0].stPort.ulAdr, 0x0A000001u);
    const unsigned char mac2[] = {0x22};
    QX04_BN_RT_SET(0x0200007B, 5, 1, mac2, &r);
    EXPECT_EQ(RT_LOG().size(), 1u) << "another MAC address on the same network is a new route as well";
}

// A confirmed route keeps its instance; other addresses are remembered once, as far as the table has room.
TEST_F(BnRoute, FirstConfirmedClaimantKeepsTheInstance) {
    const IP_PORT a = EP(0x0A000005, 47808), b = EP(0x0A000006, 47808);
    EXPECT_EQ(QX04_BN_RT_SET(0x0200007B, 0, 0, nullptr, &a), 0);
    EXPECT_EQ(QX04_BN_RT_SET(0x0200007B, 0, 0, nullptr, &b), 0) << "not confirmed yet: moves";
    tabelle[0].ucBestaetigt = 1;
    for (std::uint16_t p = 0; p <= QX04_DOPPELT_MAX + 1; p++) { // port 1 twice, then one too many
        const IP_PORT x = EP(0x0A000006, (std::uint16_t)(p == QX04_DOPPELT_MAX ? 1 : p + 1));
        EXPECT_EQ(QX04_BN_RT_SET(0x0200007B, 0, 0, nullptr, &x), -4);
        EXPECT_EQ(iQX04_Doppelt_Voll, p > QX04_DOPPELT_MAX);
    }
    EXPECT_EQ(iQX04_Anz_Doppelt, QX04_DOPPELT_MAX);
    EXPECT_EQ(tabelle[0].stPort.ulAdr, b.ulAdr);
}

TEST_F(BnRoute, OnlyDevicesAndOnlyWhileThereIsRoom) {
    IP_PORT a = EP(0x0A000005, 47808);
    EXPECT_EQ(QX04_BN_RT_SET(0x00000005, 0, 0, nullptr, &a), -2);
    EXPECT_EQ(QX04_BN_RT_SET(0x023FFFFF, 0, 0, nullptr, &a), -2) << "4194303 is no device's instance";
    EXPECT_EQ(tabelle[0].ulSDEV, 0xFFFFFFFFu);
    for (std::uint32_t i = 0; i < 8192; i++)
        ASSERT_EQ(QX04_BN_RT_SET(0x02000000 | i, 0, 0, nullptr, &a), (int)i);
    const auto vorher = tabelle;
    EXPECT_EQ(QX04_BN_RT_SET(0x02000000 | 9000, 0, 0, nullptr, &a), -1);
    EXPECT_EQ(std::memcmp(vorher.data(), tabelle.data(), sizeof(QX04_BN_ROUTE) * 8192), 0);
    EXPECT_EQ(QX04_BN_RT_SET(0x02000000 | 8191, 0, 0, nullptr, &a), 8191)
        << "known devices are still updated";
}

TEST_F(BnRoute, FindByInstanceOrBySenderAddress) {
    IP_PORT a = EP(0x0A000005, 47808), r = EP(0x0A000001, 47808);
    const unsigned char mac[] = {0x21}, mac2[] = {0x22};
    QX04_BN_RT_SET(0x02000001, 0, 0, nullptr, &a);
    QX04_BN_RT_SET(0x02000002, 5, 1, mac, &r);
    EXPECT_EQ(QX04_BN_RT_FIND(0x02000002, 0xFFFF, 255, nullptr, nullptr), &tabelle[1]);
    EXPECT_EQ(QX04_BN_RT_FIND(2, 0xFFFF, 255, nullptr, nullptr), &tabelle[1]);
    EXPECT_EQ(QX04_BN_RT_FIND(3, 0xFFFF, 255, nullptr, nullptr), nullptr);
    EXPECT_EQ(QX04_BN_RT_FIND(0xFFFFFFFF, 0, 0, nullptr, &a), &tabelle[0]);
    IP_PORT a2 = EP(0x0A000005, 47809);
    EXPECT_EQ(QX04_BN_RT_FIND(0xFFFFFFFF, 0, 0, nullptr, &a2), nullptr);
    EXPECT_EQ(QX04_BN_RT_FIND(0xFFFFFFFF, 5, 1, mac, &r), &tabelle[1]);
    EXPECT_EQ(QX04_BN_RT_FIND(0xFFFFFFFF, 5, 1, mac2, &r), nullptr);
    EXPECT_EQ(QX04_BN_RT_FIND(0xFFFFFFFF, 5, 1, mac, nullptr), &tabelle[1]);
    EXPECT_EQ(QX04_BN_RT_FIND(0xFFFFFFFF, 0xFFFF, 0, nullptr, &a), nullptr);
}

TEST_F(BnRoute, SourceAddressesLongerThanARecordHoldsAreUnknown) {
    IP_PORT r = EP(0x0A000001, 47808);
    unsigned char mac[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(QX04_BN_RT_SET(0x02000009, 7, 8, mac, &r), 0);
    EXPECT_EQ(QX04_BN_RT_FIND(0xFFFFFFFF, 7, 8, mac, &r), &tabelle[0]);
    EXPECT_EQ(QX04_BN_RT_FIND(0xFFFFFFFF, 7, 9, mac, &r), nullptr);
    EXPECT_LT(QX04_BN_RT_SET(0x02000009, 7, 9, mac, &r), 0);
    EXPECT_LT(QX04_BN_RT_SET(0x0200000A, 7, 12, mac, &r), 0);
    EXPECT_EQ(tabelle[0].ucSLEN, 8);
    EXPECT_EQ(tabelle[1].ulSDEV, 0xFFFFFFFFu);
    EXPECT_TRUE(RT_LOG().empty());
}
