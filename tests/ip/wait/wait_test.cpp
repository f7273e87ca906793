// Waiting for a datagram: the wait ends as soon as one arrives and lasts no longer than asked otherwise.
// Sends on loopback only, inside the private network namespace of the test harness.
#include <chrono>
#include <gtest/gtest.h>
#include "ip/ip.h"
#include "support/netns_guard.h"

static const int iGuard = [] {
    NT_REQUIRE_PRIVATE_NETNS();
    return 0;
}();

static double MS_SEIT(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
}

TEST(IpWait, EndsOnArrivalOrAfterTheTimeLimit) {
    IP_INIT();
    int i = IP_OPEN(1, 47871, nullptr);
    ASSERT_GE(i, 0);
    auto t = std::chrono::steady_clock::now();
    EXPECT_EQ(IP_WAIT(i, 30), 0);
    double ms = MS_SEIT(t);
    EXPECT_GE(ms, 25.0);
    EXPECT_LT(ms, 500.0);

    IP_PORT stZiel = {0x7F000001, 47871};
    const unsigned char ucDaten[4] = {0x81, 0x0A, 0x00, 0x04};
    ASSERT_EQ(IP_SEND(i, &stZiel, IP_CMD_DATA, IP_SCMD_SEND, 4, ucDaten), 0);
    t = std::chrono::steady_clock::now();
    EXPECT_EQ(IP_WAIT(i, 5000), 1);
    EXPECT_LT(MS_SEIT(t), 1000.0);
    EXPECT_EQ(IP_WAIT(i, 5000), 1); // waiting does not take the datagram
    unsigned char ucBuf[16];
    IP_PORT stVon;
    EXPECT_EQ(IP_RECV(i, &stVon, nullptr, nullptr, sizeof ucBuf, ucBuf), 4);
    EXPECT_EQ(IP_WAIT(i, 0), 0);

    EXPECT_EQ(IP_WAIT(-1, 10), -2);
    EXPECT_EQ(IP_WAIT(IP_APP_MAX, 10), -2);
    EXPECT_EQ(IP_CLOSE(i), 0);
    EXPECT_EQ(IP_WAIT(i, 10), -3);
    IP_EXIT();
}
