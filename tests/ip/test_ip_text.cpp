// Endpoint texts without name lookups, byte order and the network broadcast address: pure computations.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "ip/ip.h"
#include "support/el_probe.h"
#include "support/trc_probe.h"

using Zeilen = std::vector<std::string>;

class IpText : public ::testing::Test {
  protected:
    void SetUp() override {
        NT_EL_START();
        NT_EL_NEU();
    }
};

TEST_F(IpText, ByteOrderPutsTheHighByteFirstOnTheWire) {
    std::uint16_t usNS = IP_S2NS(0xBAC0);
    std::uint32_t ulNL = IP_L2NL(0xC0A80A05);
    const unsigned char *p = reinterpret_cast<const unsigned char *>(&usNS);
    const unsigned char *q = reinterpret_cast<const unsigned char *>(&ulNL);
    EXPECT_EQ(p[0], 0xBA);
    EXPECT_EQ(p[1], 0xC0);
    EXPECT_EQ((std::vector<int>{q[0], q[1], q[2], q[3]}), (std::vector<int>{0xC0, 0xA8, 0x0A, 0x05}));
    EXPECT_EQ(IP_NS2S(usNS), 0xBAC0);
    EXPECT_EQ(IP_NL2L(ulNL), 0xC0A80A05u);
}

TEST_F(IpText, RecordToText) {
    IP_PORT p{0, 47808};
    EXPECT_STREQ(IP_PORT2A(&p), "0.0.0.0#47808");
    p = {0xC0A80A05, 47808};
    EXPECT_STREQ(IP_PORT2A(&p), "192.168.10.5#47808");
    p = {0xFFFFFFFF, 0xFFFF};
    EXPECT_STREQ(IP_PORT2A(&p), "255.255.255.255#65535");
    EXPECT_TRUE(NT_EL_NEU().empty());
    EXPECT_EQ(IP_PORT2A(nullptr), nullptr);
    EXPECT_EQ(NT_EL_NEU(), Zeilen{"IP_PORT2A:  0 (0x0000) / 1 (0x0001)"});
}

TEST_F(IpText, PortAloneGivesAddressZero) {
    IP_PORT p{0x12345678, 1};
    EXPECT_EQ(IP_A2PORT("47808", &p), 0);
    EXPECT_EQ(p.ulAdr, 0u);
    EXPECT_EQ(p.usPort, 47808);
    EXPECT_EQ(IP_A2PORT("70000", &p), 0);
    EXPECT_EQ(p.usPort, 4464); // only the low 16 bits are a port
    EXPECT_EQ(IP_A2PORT("47808xyz", &p), 0);
    EXPECT_EQ(p.usPort, 47808);
    EXPECT_EQ(IP_A2PORT("  4711", &p), 0);
    EXPECT_EQ(p.usPort, 4711);
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(IpText, PortThatIsNoNumberIsRejectedAndLogged) {
    IP_PORT p{7, 4711};
    EXPECT_EQ(IP_A2PORT("xyz", &p), -1);
    EXPECT_EQ(p.usPort, 4711);
    EXPECT_EQ(IP_A2PORT("", &p), -1);
    EXPECT_EQ(IP_A2PORT("-1", &p), -1); // a sign is no port number
    EXPECT_EQ(p.usPort, 4711);
    EXPECT_EQ(NT_EL_NEU(), (Zeilen{"IP_A2PORT:  -1 (0xFFFFFFFF) / 2 (0x0002)  (xyz)",
                                   "IP_A2PORT:  -1 (0xFFFFFFFF) / 2 (0x0002)",
                                   "IP_A2PORT:  -1 (0xFFFFFFFF) / 2 (0x0002)  (-1)"}));
}

TEST_F(IpText, TextLongerThan31CharactersIsRejectedNotCut) {
    IP_PORT p{0x01020304, 4711};
    std::string s31 = "47808" + std::string(26, 'x');
    EXPECT_EQ(IP_A2PORT(s31.c_str(), &p), 0);
    EXPECT_EQ(p.usPort, 47808);
    // cut to 31 characters this would read as port 47808 of 127.0.0.1
    std::string s32 = "127.0.0.1#4780800000000000000000";
    ASSERT_EQ(s32.size(), 32u);
    p = {0x01020304, 4711};
    EXPECT_EQ(IP_A2PORT(s32.c_str(), &p), -1);
    EXPECT_EQ(p.ulAdr, 0x01020304u);
    EXPECT_EQ(p.usPort, 4711);
    EXPECT_EQ(NT_EL_NEU(), Zeilen{"IP_A2PORT:  -1 (0xFFFFFFFF) / 1 (0x0001)  (" + s32 + ")"});
    EXPECT_EQ(IP_A2PORT(nullptr, &p), -1);
    EXPECT_EQ(IP_A2PORT("47808", nullptr), -1);
}

TEST_F(IpText, BroadcastAddressOfTheClassfulNetwork) {
    EXPECT_EQ(IP_GET_NET(0xC0A80105), 0xC0A801FFu); // 192.168.1.5 -> 192.168.1.255
    EXPECT_EQ(IP_GET_NET(0xAC100105), 0xAC10FFFFu); // 172.16.1.5 -> 172.16.255.255
    EXPECT_EQ(IP_GET_NET(0x0A010203), 0x0AFFFFFFu); // 10.1.2.3 -> 10.255.255.255
    EXPECT_EQ(IP_GET_NET(0xFFFFFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(IP_GET_NET(0x00010203), 0xFFFFFFFFu); // network 0
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(IpText, HostPartRunningOutEarlyFallsBackToTheLastByte) {
    // 10.0.0.5: the host part is used up after one byte, so the class A network cannot be completed
    EXPECT_EQ(IP_GET_NET(0x0A000005), 0x0A0000FFu);
    EXPECT_EQ(NT_EL_NEU(), Zeilen{"IP_GET_NET:  2815 (0x0AFF) / 0 (0x0000)  (NETOF/LNAOF)"});
}

TEST_F(IpText, TraceLinesCarryTheValues) {
    std::string s = NT_TRC_SPUR([] {
        TEST_T_A4 = 1;
        TEST_T_A3 = 1;
        IP_PORT p{};
        IP_A2PORT("70000", &p);
        IP_GET_NET(0xC0A80105);
        TEST_T_A4 = TEST_T_A3 = 0;
    });
    EXPECT_EQ(s,
              "\n\n(17.05.24  13:45:30)   IP_L2NL:  Vor  RETURN    ulNL : 0x00000000"
              "\n\n(17.05.24  13:45:30)   IP_PORT2A:  Vor  RETURN   ier : 12   cRETURN : >0.0.0.0#4464<"
              "\n\n(17.05.24  13:45:30)   IP_A2PORT:  Vor  RETURN   ier : 0    PORT-Adr : 0x00000000#4464 "
              "(>0.0.0.0#4464<)"
              "\n\n(17.05.24  13:45:30)   IP_L2NL:  Vor  RETURN    ulNL : 0x0501A8C0"
              "\n\n(17.05.24  13:45:30)   IP_GET_NET:  Nach INET_NETOF/LNAOF   IP-Adr.: 0x00C0A801/0x00000005"
              "\n\n(17.05.24  13:45:30)   IP_GET_NET:  Vor  RETURN   ier : 0    IP-Net: 0xC0A801FF");
}
