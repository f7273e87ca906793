// Name lookups, local addresses and the endpoint table with real sockets. Runs only inside the private
// network namespace of the test harness: loopback is the only interface, and name lookups stay on this
// machine (/etc/hosts, no reachable name server).
#include <gtest/gtest.h>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>
#include "ip/ip.h"
#include "support/el_probe.h"
#include "support/netns_guard.h"
#include "support/trc_probe.h"

using Zeilen = std::vector<std::string>;

static const int iGuard = [] {
    NT_REQUIRE_PRIVATE_NETNS();
    return 0;
}();

constexpr std::uint32_t LO = 0x7F000001; // 127.0.0.1

static int OFFENE_FDS() {
    int n = 0;
    DIR *d = opendir("/proc/self/fd");
    while (readdir(d) != nullptr)
        n++;
    closedir(d);
    return n;
}

class IpSock : public ::testing::Test {
  protected:
    void SetUp() override {
        NT_EL_START();
        IP_INIT();
        NT_EL_NEU();
    }
    void TearDown() override {
        IP_EXIT();
    }
};

// Must stay the first test: the table is free from program load on, so closing everything before the
// first IP_INIT (the scanner's exit after a failed set-up) leaves standard input and output alone.
TEST(IpTableBeforeInit, ExitBeforeInitClosesNothing) {
    for (const IP_APP &e : APP_IP)
        EXPECT_EQ(e.iSock, -1);
    EXPECT_EQ(IP_EXIT(), 0);
    EXPECT_NE(fcntl(0, F_GETFD), -1);
    EXPECT_NE(fcntl(1, F_GETFD), -1);
    EXPECT_EQ(IP_INIT(), 0);
}

TEST_F(IpSock, DottedAddressWithAndWithoutReverseEntry) {
    IP_PORT p{};
    EXPECT_EQ(IP_A2PORT("127.0.0.1#47808", &p), 0); // localhost in /etc/hosts
    EXPECT_EQ(p.ulAdr, LO);
    EXPECT_EQ(p.usPort, 47808);
    EXPECT_TRUE(NT_EL_NEU().empty());
    EXPECT_EQ(IP_A2PORT("127.0.0.77#47809", &p), 0);
    EXPECT_EQ(p.ulAdr, 0x7F00004Du);
    EXPECT_EQ(p.usPort, 47809);
    EXPECT_EQ(NT_EL_NEU(), Zeilen{"IP_A2PORT:  0 (0x0000) / 0 (0x0000)  (127.0.0.77#47809)"});
}

TEST_F(IpSock, HostNameFromTheHostsFile) {
    IP_PORT p{};
    EXPECT_EQ(IP_A2PORT("localhost#4711", &p), 0);
    EXPECT_EQ(p.ulAdr, LO);
    EXPECT_EQ(p.usPort, 4711);
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(IpSock, UnknownHostStillStoresThePort) {
    IP_PORT p{0x01020304, 1};
    EXPECT_EQ(IP_A2PORT("kein-solcher-rechner#47808", &p), -1);
    EXPECT_EQ(p.ulAdr, 0x01020304u);
    EXPECT_EQ(p.usPort, 47808);
    EXPECT_EQ(NT_EL_NEU(), Zeilen{"IP_A2PORT:  -1 (0xFFFFFFFF) / 1 (0x0001)  (kein-solcher-rechner#47808)"});
    EXPECT_EQ(IP_A2PORT("kein-solcher-rechner#abc", &p), -1);
    EXPECT_EQ(p.usPort, 47808);
    EXPECT_EQ(NT_EL_NEU(), (Zeilen{"IP_A2PORT:  -1 (0xFFFFFFFF) / 1 (0x0001)  (kein-solcher-rechner#abc)",
                                   "IP_A2PORT:  -1 (0xFFFFFFFF) / 2 (0x0002)  (abc)"}));
}

TEST_F(IpSock, LocalAddressesFollowTheHostVariable) {
    setenv("HOST", "localhost", 1);
    EXPECT_EQ(IP_GET_HOST(0), LO);
    EXPECT_EQ(IP_GET_HOST(1), 0xFFFFFFFFu);
    EXPECT_EQ(IP_GET_HOST(9), 0xFFFFFFFFu);
    EXPECT_TRUE(NT_EL_NEU().empty());
    EXPECT_EQ(IP_CHK_HOST(LO), 1);
    EXPECT_EQ(IP_CHK_HOST(0x7F000002), 0);
    EXPECT_EQ(IP_CHK_HOST(0xFFFFFFFF), 0);
    // a dotted address names itself
    setenv("HOST", "127.0.0.9", 1);
    EXPECT_EQ(IP_GET_HOST(0), 0x7F000009u);
    EXPECT_EQ(IP_CHK_HOST(0x7F000009), 1);
    EXPECT_TRUE(NT_EL_NEU().empty());
}

// Addresses taken at set-up serve every later check, also after the name would resolve differently, and no
// lookup (hence no error line) happens per check.
TEST_F(IpSock, HostAddressesTakenOnceServeEveryCheck) {
    setenv("HOST", "127.0.0.9", 1);
    EXPECT_EQ(IP_HOST_MERKEN(), 1);
    setenv("HOST", "kein-solcher-rechner", 1);
    EXPECT_EQ(IP_CHK_HOST(0x7F000009), 1);
    EXPECT_EQ(IP_CHK_HOST(LO), 0);
    EXPECT_EQ(IP_HOST_ADR(0), 0x7F000009u);
    EXPECT_EQ(IP_HOST_ADR(1), 0xFFFFFFFFu);
    EXPECT_EQ(IP_HOST_ADR(-1), 0xFFFFFFFFu);
    EXPECT_TRUE(NT_EL_NEU().empty());
    iIP_HostAnz = -1;
    setenv("HOST", "localhost", 1);
}

TEST_F(IpSock, UnresolvableOrOverlongHostName) {
    setenv("HOST", "kein-solcher-rechner", 1);
    EXPECT_EQ(IP_GET_HOST(0), 0xFFFFFFFFu);
    EXPECT_EQ(NT_EL_NEU(), Zeilen{"IP_GET_HOST:  -2 (0xFFFFFFFE) / 1 (0x0001)  (kein-solcher-rechner)"});
    // 128 characters do not fit the name buffer: refused, not looked up cut to 127
    std::string lang(128, 'a');
    setenv("HOST", lang.c_str(), 1);
    EXPECT_EQ(IP_GET_HOST(0), 0xFFFFFFFFu);
    Zeilen z = NT_EL_NEU();
    ASSERT_EQ(z.size(), 1u);
    EXPECT_EQ(z[0].rfind("IP_GET_HOST:  -2 (0xFFFFFFFE) / 1 (0x0001)  (aaaa", 0), 0u);
    setenv("HOST", "localhost", 1);
}

TEST_F(IpSock, FifthOpenFindsNoEntryAndFreedEntriesAreReused) {
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(IP_OPEN(1, 0, nullptr), i);
    EXPECT_EQ(IP_OPEN(1, 0, nullptr), -2);
    EXPECT_EQ(IP_CLOSE(1), 0);
    EXPECT_EQ(IP_CLOSE(1), -3);
    EXPECT_EQ(IP_CLOSE(4), -2);
    EXPECT_EQ(IP_CLOSE(-1), -2);
    EXPECT_EQ(IP_OPEN(1, 0, nullptr), 1);
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(IpSock, ProtocolOtherThanUdpOrTcp) {
    int nFds = OFFENE_FDS();
    EXPECT_EQ(IP_OPEN(3, 0, nullptr), -3);
    EXPECT_EQ(iIP_Error, 93);
    EXPECT_EQ(OFFENE_FDS(), nFds);
    EXPECT_EQ(IP_OPEN(1, 0, nullptr), 0);
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(IpSock, PortHeldByAnotherSocket) {
    int s = socket(AF_INET, SOCK_DGRAM, 0);
    struct sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(47900);
    ASSERT_EQ(bind(s, reinterpret_cast<sockaddr *>(&sa), sizeof sa), 0);
    int nFds = OFFENE_FDS();
    EXPECT_EQ(IP_OPEN(1, 47900, nullptr), -1);
    EXPECT_EQ(iIP_Error, EADDRINUSE);
    EXPECT_EQ(OFFENE_FDS(), nFds); // the socket of the failed open is closed again
    EXPECT_EQ(NT_EL_NEU(), (Zeilen{"IP_OPEN:  -1 (0xFFFFFFFF) / 98 (0x0062)  (BIND UDP)",
                                   "IP_OPEN:  -1 (0xFFFFFFFF) / 47900 (0xBB1C)  (KIND-Prozess aktiv ?"
                                   "?)"}));
    EXPECT_EQ(APP_IP[0].iSock, -1);
    close(s);
    EXPECT_EQ(IP_OPEN(1, 47900, nullptr), 0);
}

TEST_F(IpSock, RemoteTextThatDoesNotConvert) {
    int nFds = OFFENE_FDS();
    EXPECT_EQ(IP_OPEN(1, 0, "kein-solcher-rechner#47808"), -1);
    EXPECT_EQ(iIP_Error, -1);
    EXPECT_EQ(OFFENE_FDS(), nFds);
    EXPECT_EQ(NT_EL_NEU(),
              (Zeilen{"IP_A2PORT:  -1 (0xFFFFFFFF) / 1 (0x0001)  (kein-solcher-rechner#47808)",
                      "IP_OPEN:  -1 (0xFFFFFFFF) / -1 (0xFFFFFFFF)  (kein-solcher-rechner#47808)"}));
    EXPECT_EQ(APP_IP[0].iSock, -1);
}

TEST_F(IpSock, NothingWaitingReturnsAtOnce) {
    ASSERT_EQ(IP_OPEN(1, 47808, nullptr), 0);
    IP_PORT p{0x01020304, 99};
    int iCMD = 5, iSCMD = 6;
    unsigned char b[16];
    EXPECT_EQ(IP_RECV(0, &p, &iCMD, &iSCMD, sizeof b, b), -1);
    EXPECT_EQ(iCMD, -1);
    EXPECT_EQ(iSCMD, 6);
    EXPECT_EQ(p.ulAdr, 0x01020304u);
    EXPECT_EQ(p.usPort, 99);
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(IpSock, ReceiveArgumentsCheckedInOrder) {
    ASSERT_EQ(IP_OPEN(1, 0, nullptr), 0);
    IP_PORT p{};
    int iCMD = 0, iSCMD = 0;
    unsigned char b[4];
    EXPECT_EQ(IP_RECV(4, &p, &iCMD, &iSCMD, 0, nullptr), -2);
    EXPECT_EQ(IP_RECV(1, &p, &iCMD, &iSCMD, 0, nullptr), -3);
    EXPECT_EQ(IP_RECV(0, &p, &iCMD, &iSCMD, 0, nullptr), -4);
    EXPECT_EQ(IP_RECV(0, &p, &iCMD, &iSCMD, -5, b), -4);
    EXPECT_EQ(IP_RECV(0, &p, &iCMD, &iSCMD, 4, nullptr), -5);
    EXPECT_EQ(iCMD, -1);
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(IpSock, DatagramThereAndBack) {
    ASSERT_EQ(IP_OPEN(1, 47808, nullptr), 0);
    ASSERT_EQ(IP_OPEN(1, 47809, "127.0.0.1#47808"), 1);
    const unsigned char d[] = {0x81, 0x0B, 0x00, 0x0C, 0x01, 0x20, 0xFF, 0xFF, 0x00, 0xFF};
    EXPECT_EQ(IP_SEND(1, nullptr, 0x86, 0x80, sizeof d, d), 0); // the entry's default destination
    IP_PORT p{};
    int iCMD = 0, iSCMD = 0;
    unsigned char b[32] = {};
    EXPECT_EQ(IP_RECV(0, &p, &iCMD, &iSCMD, sizeof b, b), 10);
    EXPECT_EQ(0, std::memcmp(b, d, sizeof d));
    EXPECT_EQ(p.ulAdr, LO);
    EXPECT_EQ(p.usPort, 47809);
    EXPECT_EQ(iCMD, 0x86);
    EXPECT_EQ(iSCMD, 0x82);
    // an explicit destination wins over the default; a long datagram is cut to the buffer
    IP_PORT z{LO, 47809};
    EXPECT_EQ(IP_SEND(0, &z, 0x86, 0x80, sizeof d, d), 0);
    EXPECT_EQ(IP_RECV(1, &p, &iCMD, &iSCMD, 4, b), 4);
    EXPECT_EQ(p.usPort, 47808);
    EXPECT_EQ(IP_RECV(1, &p, &iCMD, &iSCMD, sizeof b, b), -1); // the rest is gone
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(IpSock, EndpointWithoutRemoteTextDefaultsToAllOnes) {
    ASSERT_EQ(IP_OPEN(1, 0, nullptr), 0);
    EXPECT_EQ(APP_IP[0].RPort.ulAdr, 0xFFFFFFFFu);
    EXPECT_EQ(APP_IP[0].RPort.usPort, 0xFFFF);
    EXPECT_EQ(APP_IP[0].iProt, 1);
}

TEST_F(IpSock, ZeroLengthDatagramIsAReceiveError) {
    ASSERT_EQ(IP_OPEN(1, 47808, nullptr), 0);
    IP_PORT z{LO, 47808};
    EXPECT_EQ(IP_SEND(0, &z, 0x86, 0x80, 0, nullptr), 0);
    IP_PORT p{};
    int iCMD = 0, iSCMD = 0;
    unsigned char b[8];
    EXPECT_EQ(IP_RECV(0, &p, &iCMD, &iSCMD, sizeof b, b), -10);
    EXPECT_EQ(iCMD, -1);
    EXPECT_EQ(NT_EL_NEU(), Zeilen{"IP_RECV:  -10 (0xFFFFFFF6) / 0 (0x0000)  (RECVFROM)"});
}

TEST_F(IpSock, OnlyTheDatagramCommandIsSent) {
    ASSERT_EQ(IP_OPEN(1, 47808, nullptr), 0);
    IP_PORT z{LO, 47808};
    const unsigned char d[] = {1, 2, 3};
    EXPECT_EQ(IP_SEND(0, &z, 0x85, 0x80, 3, d), -2);
    EXPECT_EQ(NT_EL_NEU(), Zeilen{"IP_SEND:  -2 (0xFFFFFFFE) / 133 (0x0085)  (CMD)"});
    IP_PORT p{};
    int iCMD = 0, iSCMD = 0;
    unsigned char b[8];
    EXPECT_EQ(IP_RECV(0, &p, &iCMD, &iSCMD, sizeof b, b), -1); // nothing went out
    EXPECT_EQ(IP_SEND(4, &z, 0x86, 0x80, 3, d), -2);
    EXPECT_EQ(IP_SEND(1, &z, 0x86, 0x80, 3, d), -3);
    EXPECT_EQ(IP_SEND(0, &z, 0x86, 0x80, -1, d), -1); // a negative count never reaches the system
    EXPECT_EQ(NT_EL_NEU(), Zeilen{"IP_SEND:  -1 (0xFFFFFFFF) / 22 (0x0016)  (127.0.0.1#47808)"});
}

TEST_F(IpSock, FailedSendLogsTheDestination) {
    ASSERT_EQ(IP_OPEN(1, 0, nullptr), 0);
    IP_PORT z{0x0A000001, 47808}; // no route inside the namespace: nothing can leave
    const unsigned char d[] = {1};
    EXPECT_EQ(IP_SEND(0, &z, 0x86, 0x80, 1, d), -1);
    EXPECT_EQ(iIP_Error, ENETUNREACH);
    EXPECT_EQ(NT_EL_NEU(), Zeilen{"IP_SEND:  -1 (0xFFFFFFFF) / 101 (0x0065)  (10.0.0.1#47808)"});
}

TEST_F(IpSock, StreamEndpoints) {
    int nFds = OFFENE_FDS();
    ASSERT_EQ(IP_OPEN(2, 47810, nullptr), 0); // listening
    ASSERT_EQ(IP_OPEN(2, 0, "127.0.0.1#47810"), 1);
    const unsigned char d[] = {1, 2};
    EXPECT_EQ(IP_SEND(1, nullptr, 0x86, 0x80, 2, d), 0); // stream entries send nothing
    EXPECT_EQ(IP_OPEN(2, 0, "127.0.0.1#47811"), -1);     // nobody listens there
    EXPECT_EQ(iIP_Error, ECONNREFUSED);
    EXPECT_EQ(NT_EL_NEU(), Zeilen{"IP_OPEN:  -1 (0xFFFFFFFF) / 111 (0x006F)  (CONNECT TCP)"});
    EXPECT_EQ(IP_OPEN(2, 47810, nullptr), -1);
    EXPECT_EQ(NT_EL_NEU(), Zeilen{"IP_OPEN:  -1 (0xFFFFFFFF) / 98 (0x0062)  (BIND TCP)"});
    EXPECT_EQ(OFFENE_FDS(), nFds + 2);
}

TEST_F(IpSock, ExitKeepsTheTableUsable) {
    ASSERT_EQ(IP_OPEN(1, 0, nullptr), 0);
    ASSERT_EQ(IP_OPEN(1, 0, nullptr), 1);
    EXPECT_GT(IP_INIT(), 0); // later calls leave open entries alone
    EXPECT_NE(APP_IP[0].iSock, -1);
    EXPECT_EQ(IP_EXIT(), 0);
    for (const IP_APP &e : APP_IP)
        EXPECT_EQ(e.iSock, -1);
    EXPECT_EQ(IP_OPEN(1, 0, nullptr), 0);
}

TEST_F(IpSock, SendTraceDumpsEveryByte) {
    ASSERT_EQ(IP_OPEN(1, 47808, nullptr), 0);
    std::string s = NT_TRC_SPUR([] {
        TEST_T_A1 = TEST_T_O1 = 1;
        IP_PORT z{LO, 47808};
        const unsigned char d[] = {0x81, 0x0A};
        IP_SEND(0, &z, 0x86, 0x80, 2, d);
        TEST_T_A1 = TEST_T_O1 = 0;
    });
    EXPECT_NE(
        s.find("IP_SEND:  Nach Aufruf    iIndex : 0\n         RPort : >127.0.0.1#47808<\n"
               "          iCMD : 0x86\n         iSCMD : 0x80\n\n  MESSAGE-Parameter    Anzahl : 2 Byte\n"
               "                  Byte[000] : 0x81\n                  Byte[001] : 0x0a"),
        std::string::npos)
        << s;
    EXPECT_NE(s.find("IP_SEND:  Nach SENDTO   iier : 2    L\x84nge : 2"), std::string::npos) << s;
}
