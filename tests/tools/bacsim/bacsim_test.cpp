// The simulator seen from the wire: a client of the test's own asks it what a scanner asks and checks every
// answer byte, the request log, the injected faults and tshark's reading of a capture.
#include "support/netns_guard.h"
#include "tools/bacsim/sim_client.h"
#include "tools/bacsim/sim_run.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

const std::uint32_t ulLo = 0x7F000001;

const char *cBuilding = R"(# two direct devices, and a router with two devices on network 5
host 127.0.0.20
device 1001 vendor 7
  name AS01 Lueftung
object AI 1
  name RLT01'ZUL'T'MW
  description Zulufttemperatur
  units 62
  value 21.5
object BI 2
  name RLT01'VEN'BM
  inactive-text Aus
  active-text Ein
  polarity 0
object MV 3
  name RLT01'VEN'STUFE
  states Aus|Stufe 1|Stufe 2
host 127.0.0.21
device 1002
  name AS02
host 127.0.0.22
device 5001 net 5 mac 21
  name RA05 Raum 101
object BV 1
  name RA05'FK'101
device 5002 net 5 mac 22
  name RA05 Raum 102
)";

std::uint32_t Obj(std::uint32_t ulType, std::uint32_t ulInst) {
    return (ulType << 22) | ulInst;
}

class Sim : public ::testing::Test {
  protected:
    void SetUp() override {
        NT_REQUIRE_PRIVATE_NETNS();
        iFd = CL_OPEN();
        ASSERT_GE(iFd, 0);
    }
    void TearDown() override {
        SIM_STOP(stSim);
        if (iFd >= 0) close(iFd);
    }
    void Start(const char *cText, std::vector<std::string> vExtra = {}) {
        stSim = SIM_START(cText, vExtra);
        ASSERT_GT(stSim.pid, 0) << "bacsim did not start, status " << stSim.iStatus;
    }
    // Device instance -> I-Am frame, for every I-Am that answers one Who-Is.
    std::map<std::uint32_t, CL_RX> Iams(const BYTES &vWhoIs) {
        CL_SEND(iFd, 0x7FFFFFFF, 47808, vWhoIs);
        std::map<std::uint32_t, CL_RX> m;
        while (auto r = CL_RECV(iFd, 300)) {
            CL_NPDU n = CL_SPLIT(r->b);
            if (n.vApdu.size() >= 7 && n.vApdu[0] == 0x10 && n.vApdu[1] == 0x00 && n.vApdu[2] == 0xC4)
                m[((n.vApdu[3] << 24) | (n.vApdu[4] << 16) | (n.vApdu[5] << 8) | n.vApdu[6]) & 0x3FFFFF] = *r;
        }
        return m;
    }
    // APDU of the first answer to a request sent to ulIp.
    BYTES Ask(std::uint32_t ulIp, const BYTES &vFrame, int iMs = 1000) {
        CL_SEND(iFd, ulIp, 47808, vFrame);
        auto r = CL_RECV(iFd, iMs);
        return r ? CL_SPLIT(r->b).vApdu : BYTES{};
    }
    BYTES Read(std::uint32_t ulIp, std::uint32_t ulObj, std::uint8_t ucProp, int iIdx = -1) {
        return Ask(ulIp, CL_DIRECT(CL_RP_APDU(ulObj, ucProp, iIdx, ++ucInvoke)));
    }
    // "error:C:C", "reject:R" or "abort:R" for a refusal of the latest request, else the bytes in hex.
    std::string Refusal(const BYTES &v) {
        char c[32];
        if (v.size() == 7 && v[0] == 0x50 && v[1] == ucInvoke && v[2] == 0x0C && v[3] == 0x91 && v[5] == 0x91)
            return std::snprintf(c, sizeof c, "error:%u:%u", v[4], v[6]), c;
        if (v.size() == 3 && (v[0] == 0x60 || v[0] == 0x71) && v[1] == ucInvoke)
            return std::snprintf(c, sizeof c, "%s:%u", v[0] == 0x60 ? "reject" : "abort", v[2]), c;
        std::string s;
        for (std::uint8_t b : v)
            s += std::to_string(b) + " ";
        return s;
    }
    int iFd = -1;
    std::uint8_t ucInvoke = 0;
    SIM stSim;
};

std::set<std::uint32_t> Keys(const std::map<std::uint32_t, CL_RX> &m) {
    std::set<std::uint32_t> s;
    for (const auto &e : m)
        s.insert(e.first);
    return s;
}

TEST_F(Sim, WhoIsGetsOneIAmPerDeviceItAddresses) {
    Start(cBuilding);
    auto m = Iams(CL_WHOIS());
    EXPECT_EQ(Keys(m), (std::set<std::uint32_t>{1001, 1002, 5001, 5002}));
    ASSERT_EQ(m.count(5001), 1u);
    CL_NPDU n = CL_SPLIT(m[5001].b);
    EXPECT_EQ(m[5001].ulIp, CL_IP("127.0.0.22"));
    EXPECT_EQ(n.iSnet, 5);
    EXPECT_EQ(n.vSadr, BYTES{0x21});
    // I-Am: device id, max APDU 1476, no segmentation, vendor 7.
    EXPECT_EQ(CL_SPLIT(m[1001].b).vApdu,
              (BYTES{0x10, 0x00, 0xC4, 0x02, 0x00, 0x03, 0xE9, 0x22, 0x05, 0xC4, 0x91, 0x03, 0x21, 0x07}));
    EXPECT_EQ(CL_SPLIT(m[1001].b).iSnet, -1);
    EXPECT_EQ(Keys(Iams(CL_WHOIS(-1))), (std::set<std::uint32_t>{1001, 1002}))
        << "a local broadcast is not routed";
    EXPECT_EQ(Keys(Iams(CL_WHOIS(0xFFFF, 1002, 5001))), (std::set<std::uint32_t>{1002, 5001}));
    EXPECT_EQ(Keys(Iams(CL_WHOIS(5))), (std::set<std::uint32_t>{5001, 5002}));
    SIM_STOP(stSim);
    std::string sLog = SIM_LOG(stSim);
    EXPECT_NE(sLog.find("svc=who-is lo=1002 hi=5001 via=global dnet=65535 dadr=- answer=iam:1"),
              std::string::npos)
        << sLog;
    EXPECT_NE(
        sLog.find(
            "host=127.0.0.20:47808 from=127.0.0.1:47808 bvlc=broadcast svc=any via=routed dnet=5 dadr=- "
            "answer=none"),
        std::string::npos)
        << "a plain node drops a broadcast for another network\n"
        << sLog;
}

TEST_F(Sim, ObjectListReadElementByElement) {
    Start(cBuilding);
    std::uint32_t ulDev = Obj(8, 1001);
    BYTES v = CL_ACK_VALUE(Read(0x7F000014, ulDev, 76, 0));
    EXPECT_EQ(v, (BYTES{0x21, 0x04})) << "the device itself and three objects";
    std::vector<std::uint32_t> vWant{Obj(8, 1001), Obj(0, 1), Obj(3, 2), Obj(19, 3)};
    for (int i = 1; i <= 4; ++i) {
        std::uint32_t o = vWant[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(CL_ACK_VALUE(Read(0x7F000014, ulDev, 76, i)),
                  (BYTES{0xC4, static_cast<std::uint8_t>(o >> 24), static_cast<std::uint8_t>(o >> 16),
                         static_cast<std::uint8_t>(o >> 8), static_cast<std::uint8_t>(o)}))
            << "element " << i;
    }
    EXPECT_EQ(Refusal(Read(0x7F000014, ulDev, 76, 5)), "error:2:42");
    EXPECT_EQ(CL_ACK_VALUE(Read(0x7F000014, ulDev, 76)).size(), 20u) << "the whole list: four identifiers";
    // The wildcard instance names the device that is asked.
    EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(Read(0x7F000014, Obj(8, 0x3FFFFF), 77))), "AS01 Lueftung");
    SIM_STOP(stSim);
    std::string sLog = SIM_LOG(stSim);
    EXPECT_NE(
        sLog.find(
            "svc=read-property dev=1001 obj=8:1001 prop=76 idx=5 invoke=6 via=direct answer=error:2:42"),
        std::string::npos)
        << sLog;
}

TEST_F(Sim, PropertiesOfDataPointObjects) {
    Start(cBuilding);
    const std::uint32_t ip = 0x7F000014;
    EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(Read(ip, Obj(0, 1), 77))), "RLT01'ZUL'T'MW");
    EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(Read(ip, Obj(0, 1), 28))), "Zulufttemperatur");
    EXPECT_EQ(CL_ACK_VALUE(Read(ip, Obj(0, 1), 117)), (BYTES{0x91, 62}));
    EXPECT_EQ(CL_ACK_VALUE(Read(ip, Obj(0, 1), 85)), (BYTES{0x44, 0x41, 0xAC, 0x00, 0x00}));
    EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(Read(ip, Obj(3, 2), 46))), "Aus");
    EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(Read(ip, Obj(3, 2), 4))), "Ein");
    EXPECT_EQ(CL_ACK_VALUE(Read(ip, Obj(3, 2), 84)), (BYTES{0x91, 0x00}));
    EXPECT_EQ(Refusal(Read(ip, Obj(3, 2), 28)), "error:2:32") << "a description the building leaves out";
    EXPECT_EQ(CL_ACK_VALUE(Read(ip, Obj(19, 3), 74)), (BYTES{0x21, 0x03}));
    EXPECT_EQ(CL_ACK_VALUE(Read(ip, Obj(19, 3), 110, 0)), (BYTES{0x21, 0x03}));
    EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(Read(ip, Obj(19, 3), 110, 2))), "Stufe 1");
    EXPECT_EQ(Refusal(Read(ip, Obj(19, 3), 110, 4)), "error:2:42");
    EXPECT_EQ(Refusal(Read(ip, Obj(19, 3), 77, 1)), "error:2:50")
        << "an index on a property that is no array";
    EXPECT_EQ(Refusal(Read(ip, Obj(0, 99), 77)), "error:1:31") << "an object the device does not have";
    // A whole state-text array: three strings.
    EXPECT_EQ(CL_ACK_VALUE(Read(ip, Obj(19, 3), 110)),
              (BYTES{0x74, 0x00, 'A',  'u',  's',  0x75, 0x08, 0x00, 'S', 't', 'u', 'f', 'e',
                     ' ',  '1',  0x75, 0x08, 0x00, 'S',  't',  'u',  'f', 'e', ' ', '2'}));
}

TEST_F(Sim, RoutedDevicesAnswerWithTheirSourceToTheForwardedAddress) {
    Start(cBuilding);
    int iFd2 = CL_OPEN(47810);
    ASSERT_GE(iFd2, 0);
    // Forwarded-NPDU: the answer goes to the B/IP address inside it, not to the sender's port.
    CL_SEND(iFd, 0x7F000016, 47808, CL_ROUTED(CL_RP_APDU(Obj(8, 5001), 77, -1, 9), 5, 0x21, ulLo, 47810));
    auto r = CL_RECV(iFd2, 1000);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->ulIp, CL_IP("127.0.0.22"));
    CL_NPDU n = CL_SPLIT(r->b);
    EXPECT_EQ(r->b[1], 0x0A);
    EXPECT_EQ(n.ucCtrl, 0x08);
    EXPECT_EQ(n.iSnet, 5);
    EXPECT_EQ(n.vSadr, BYTES{0x21});
    EXPECT_EQ(n.vApdu[1], 9);
    EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(n.vApdu)), "RA05 Raum 101");
    EXPECT_FALSE(CL_RECV(iFd, 200).has_value());
    // Original-Unicast with DNET: the answer goes to the sender.
    BYTES v{0x01, 0x24, 0x00, 0x05, 0x01, 0x22, 0xFF};
    BYTES a = CL_RP_APDU(Obj(8, 5002), 77, -1, 10);
    v.insert(v.end(), a.begin(), a.end());
    CL_SEND(iFd, 0x7F000016, 47808, CL_BVLC(0x0A, v));
    r = CL_RECV(iFd, 1000);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(CL_SPLIT(r->b).vSadr, BYTES{0x22});
    EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(CL_SPLIT(r->b).vApdu)), "RA05 Raum 102");
    // A network the router does not serve: Reject-Message-To-Network, reason 1, network 7.
    CL_SEND(iFd, 0x7F000016, 47808, CL_ROUTED(CL_RP_APDU(Obj(8, 5001), 77, -1, 11), 7, 0x21, ulLo, 47810));
    r = CL_RECV(iFd2, 1000);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(CL_SPLIT(r->b).ucCtrl, 0x80);
    EXPECT_EQ(CL_SPLIT(r->b).vApdu, (BYTES{0x03, 0x01, 0x00, 0x07}));
    // A router does not answer for the devices of its networks without DNET.
    EXPECT_EQ(Read(0x7F000016, Obj(8, 5001), 77), BYTES{});
    close(iFd2);
    SIM_STOP(stSim);
    std::string sLog = SIM_LOG(stSim);
    EXPECT_NE(
        sLog.find("bvlc=forwarded orig=127.0.0.1:47810 svc=read-property dev=5001 obj=8:5001 prop=77 idx=- "
                  "invoke=9 via=routed dnet=5 dadr=21 answer=ack"),
        std::string::npos)
        << sLog;
}

const char *cFaults = R"(host 127.0.0.30
device 2001
  silent-after 3
object AI 1
  name Eins
host 127.0.0.31
device 2002
  error description 3 2
object AI 1
  name Eins
  reject units 4
  abort present-value 5
object AI 2
  name Zwei
  delay 250
  silent-after 1
host 127.0.0.32
device 2003
  cov-after 2
  whois-after 3
  network-after 4
object BI 7
  name Sieben
  value 1
)";

TEST_F(Sim, DeviceFallsSilentAfterKRequests) {
    Start(cFaults);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(Read(0x7F00001E, Obj(0, 1), 77))), "Eins");
    EXPECT_EQ(Read(0x7F00001E, Obj(0, 1), 77, -1), BYTES{});
    EXPECT_EQ(Keys(Iams(CL_WHOIS(0xFFFF, 2001, 2001))), std::set<std::uint32_t>{})
        << "silent means no I-Am either";
    SIM_STOP(stSim);
    EXPECT_NE(SIM_LOG(stSim).find("dev=2001 obj=0:1 prop=77 idx=- invoke=4 via=direct answer=silent"),
              std::string::npos);
}

TEST_F(Sim, InjectedErrorRejectAndAbort) {
    Start(cFaults);
    const std::uint32_t ip = 0x7F00001F;
    EXPECT_EQ(Refusal(Read(ip, Obj(0, 1), 28)), "error:3:2") << "device-wide fault for the description";
    EXPECT_EQ(Refusal(Read(ip, Obj(0, 1), 117)), "reject:4");
    EXPECT_EQ(Refusal(Read(ip, Obj(0, 1), 85)), "abort:5");
    EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(Read(ip, Obj(0, 1), 77))), "Eins");
}

TEST_F(Sim, DelayAndObjectSilence) {
    Start(cFaults);
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(Read(0x7F00001F, Obj(0, 2), 77))), "Zwei");
    EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(250));
    EXPECT_EQ(Read(0x7F00001F, Obj(0, 2), 77, -1), BYTES{}) << "the object answers once";
    EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(Read(0x7F00001F, Obj(0, 1), 77))), "Eins")
        << "its neighbour still answers";
}

// A device of 1 ms (its host's delay) never answers before its delay and is not held back beyond it. How
// close to 1 ms the answers leave is a speed figure: bench/scan/run.sh shows it from the capture.
TEST_F(Sim, DelayedAnswerLeavesAfterItsDelay) {
    Start("host 127.0.0.40\n  delay 1\ndevice 4001\nobject AI 1\n  name Eins\n");
    std::vector<double> vUs;
    for (int i = 0; i < 20; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        BYTES v = Read(CL_IP("127.0.0.40"), Obj(0, 1), 77);
        vUs.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
        ASSERT_EQ(CL_TEXT(CL_ACK_VALUE(v)), "Eins");
    }
    std::sort(vUs.begin(), vUs.end());
    EXPECT_GE(vUs.front(), 1000.0) << "no answer before its delay";
    EXPECT_LT(vUs.front(), 50000.0) << "the quickest answer took " << vUs.front() << " us";
}

TEST_F(Sim, CovWhoIsAndNetworkMessageArriveBeforeTheAnswer) {
    Start(cFaults);
    const std::uint32_t ip = 0x7F000020;
    EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(Read(ip, Obj(3, 7), 77))), "Sieben");
    // Second request: a confirmed COV notification first, then the answer.
    CL_SEND(iFd, ip, 47808, CL_DIRECT(CL_RP_APDU(Obj(3, 7), 77, -1, 50)));
    auto r = CL_RECV(iFd, 1000);
    ASSERT_TRUE(r.has_value());
    BYTES c = CL_SPLIT(r->b).vApdu;
    ASSERT_GE(c.size(), 4u);
    EXPECT_EQ(c[0], 0x00);
    EXPECT_EQ(c[3], 0x01) << "confirmedCOVNotification";
    EXPECT_EQ(CL_SPLIT(r->b).ucCtrl, 0x04) << "expecting a reply";
    CL_SEND(iFd, ip, 47808, CL_DIRECT(BYTES{0x20, c[2], 0x01}));
    r = CL_RECV(iFd, 1000);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(CL_SPLIT(r->b).vApdu[1], 50);
    // Third: a Who-Is broadcast from the host; fourth: a network-layer message.
    CL_SEND(iFd, ip, 47808, CL_DIRECT(CL_RP_APDU(Obj(3, 7), 77, -1, 51)));
    r = CL_RECV(iFd, 1000);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->b[1], 0x0B);
    EXPECT_EQ(CL_SPLIT(r->b).vApdu, (BYTES{0x10, 0x08}));
    EXPECT_EQ(CL_SPLIT(CL_RECV(iFd, 1000).value_or(CL_RX{}).b).vApdu[1], 51);
    CL_SEND(iFd, ip, 47808, CL_DIRECT(CL_RP_APDU(Obj(3, 7), 77, -1, 52)));
    r = CL_RECV(iFd, 1000);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(CL_SPLIT(r->b).ucCtrl, 0x80);
    EXPECT_EQ(CL_SPLIT(r->b).vApdu, BYTES{0x00}) << "Who-Is-Router-To-Network from a host without networks";
    EXPECT_EQ(CL_SPLIT(CL_RECV(iFd, 1000).value_or(CL_RX{}).b).vApdu[1], 52);
    SIM_STOP(stSim);
    std::string sLog = SIM_LOG(stSim);
    EXPECT_NE(sLog.find("event=cov obj=3:7 invoke=1 to=127.0.0.1:47808"), std::string::npos) << sLog;
    EXPECT_NE(sLog.find("svc=simple-ack invoke=1 via=direct"), std::string::npos) << sLog;
    EXPECT_NE(sLog.find("event=who-is to=127.255.255.255:47808"), std::string::npos) << sLog;
    EXPECT_NE(sLog.find("event=network:0"), std::string::npos) << sLog;
}

// A router's network layer: the networks it names (one claimed, none hidden), its own network's number, its
// table; the Who-Is of its own network reaches the network it hides; a BBMD gives its distribution table.
TEST_F(Sim, RouterNetworkLayerAndBbmdTable) {
    Start("host 127.0.0.30\n  network 1\n  claims 7\n  hide 9\ndevice 5001 net 5 mac 21\ndevice 9001 net 9 "
          "mac 01\n"
          "host 127.0.0.31\n  router\nhost 127.0.0.40 bbmd\n  bdt 127.0.0.40\n  bdt 127.0.0.41#47809\n"
          "host 127.0.0.32\n  queue 2 iams\n  delay 20\ndevice 6001 net 6 mac 01\ndevice 6002 net 6 mac 02\n"
          "device 6003 net 6 mac 03\n");
    auto Alle = [&](const BYTES &b) {
        CL_SEND(iFd, 0x7FFFFFFF, 47808, b);
        std::map<std::uint32_t, BYTES> m;
        while (auto r = CL_RECV(iFd, 300))
            if (r->b[1] != 0x04) m[r->ulIp] = CL_SPLIT(r->b).vApdu; // not what the BBMD forwards
        return m;
    };
    const std::map<std::uint32_t, BYTES> mRouter = {
        {0x7F00001E, {0x01, 0, 5, 0, 7}}, {0x7F00001F, {0x01}}, {0x7F000020, {0x01, 0, 6}}};
    EXPECT_EQ(Alle(CL_BVLC(0x0B, {0x01, 0x80, 0x00})), mRouter);
    EXPECT_EQ(Alle(CL_BVLC(0x0B, {0x01, 0x80, 0x12})),
              (std::map<std::uint32_t, BYTES>{{0x7F00001E, {0x13, 0, 1, 1}}}));
    EXPECT_EQ(Ask(0x7F00001E, CL_BVLC(0x0A, {0x01, 0x80, 0x06, 0x00})),
              (BYTES{0x07, 3, 0, 1, 1, 0, 0, 5, 2, 0, 0, 7, 3, 0}));
    EXPECT_EQ(Keys(Iams(CL_WHOIS(-1))), (std::set<std::uint32_t>{9001}));
    EXPECT_EQ(Keys(Iams(CL_WHOIS(6))), (std::set<std::uint32_t>{6001, 6002})); // the router holds two I-Ams
    CL_SEND(iFd, 0x7F000028, 47808, CL_BVLC(0x02, {}));
    auto r = CL_RECV(iFd, 1000);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->b, CL_BVLC(0x03, {127, 0, 0, 40, 0xBA, 0xC0, 255, 255, 255, 255,
                                   127, 0, 0, 41, 0xBA, 0xC1, 255, 255, 255, 255}));
}

// flood-after: before the answer to its N-th request, M rounds of an I-Am of every device on the host (the
// direct one and one behind its router) and a Who-Is, broadcast back to back. Per request what arrived, in
// order: I I-Am, W Who-Is, A the answer.
TEST_F(Sim, FloodOfIamsAndWhoIsBeforeTheAnswer) {
    struct CASE {
        const char *cWhat, *cDevice, *cWant;
    } aCases[] = {
        {"device, 2nd request, 2 rounds", "device 9\n  flood-after 2 2\nobject AI 1\n  name Eins\n",
         "A|IIWIIWA|A"},
        {"object, 1st request for it", "device 9\nobject AI 1\n  name Eins\n  flood-after 1 1\n", "IIWA|A|A"},
    };
    for (const CASE &k : aCases) {
        Start((std::string("host 127.0.0.90\n") + k.cDevice + "device 91 net 5 mac 01\n").c_str());
        std::string sGot;
        for (int i = 0; i < 3; ++i) {
            CL_SEND(iFd, CL_IP("127.0.0.90"), 47808, CL_DIRECT(CL_RP_APDU(Obj(0, 1), 77, -1, ++ucInvoke)));
            sGot += i > 0 ? "|" : "";
            while (auto r = CL_RECV(iFd, 500)) {
                BYTES a = CL_SPLIT(r->b).vApdu;
                if (a.size() >= 2 && a[0] == 0x10)
                    sGot += a[1] == 0x00 ? "I" : (a == BYTES{0x10, 0x08} ? "W" : "?");
                if (a.size() >= 2 && a[0] == 0x30 && a[1] == ucInvoke && (sGot += "A", true)) break;
            }
        }
        SIM_STOP(stSim);
        EXPECT_EQ(sGot, k.cWant) << k.cWhat;
        EXPECT_NE(SIM_LOG(stSim).find("dev=9 event=flood rounds="), std::string::npos) << SIM_LOG(stSim);
    }
}

TEST_F(Sim, AnswerToANodeThatHasGoneCostsNoOtherAnswer) {
    Start("host 127.0.0.40\ndevice 4001\n  delay 5\nobject AI 1\n  name Eins\n");
    // The answers fall due together; the first one's port unreachable must not fail the second one's send.
    for (int i = 0; i < 20; ++i) {
        int iGone = CL_OPEN(47811);
        CL_SEND(iGone, CL_IP("127.0.0.40"), 47808, CL_DIRECT(CL_RP_APDU(Obj(0, 1), 77, -1, 99)));
        close(iGone);
        EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(Read(CL_IP("127.0.0.40"), Obj(0, 1), 77))), "Eins") << i;
    }
}

TEST_F(Sim, IamAtStartWithoutBeingAsked) {
    Start("host 127.0.0.40\ndevice 7\n  iam-at-start\nhost 127.0.0.41\ndevice 8\n");
    auto r = CL_RECV(iFd, 1000);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->ulIp, CL_IP("127.0.0.40"));
    EXPECT_EQ(r->b[1], 0x0B);
    EXPECT_FALSE(CL_RECV(iFd, 200).has_value()) << "device 8 waits for a Who-Is";
}

TEST_F(Sim, AnswerTooLongForTheAskerIsAborted) {
    std::string s = "host 127.0.0.50\ndevice 9\n";
    for (int i = 1; i <= 12; ++i)
        s += "object AV " + std::to_string(i) + "\n";
    Start(s.c_str());
    EXPECT_EQ(Ask(0x7F000032, CL_DIRECT(CL_RP_APDU(Obj(8, 9), 76, -1, 1, 0x00))), (BYTES{0x71, 1, 4}))
        << "13 identifiers do not fit into 50 bytes, and the device does not segment";
    EXPECT_EQ(CL_ACK_VALUE(Ask(0x7F000032, CL_DIRECT(CL_RP_APDU(Obj(8, 9), 76, -1, 2, 0x05)))).size(), 65u);
}

// A smaller max APDU is announced in the I-Am (what the limits do to answers, the -M end-to-end test sees).
TEST_F(Sim, MaxApduGoesIntoTheIAm) {
    Start("host 127.0.0.72\ndevice 72\n  max-apdu 50\nobject AI 1\n");
    BYTES vIam = CL_SPLIT(Iams(CL_WHOIS(0xFFFF, 72, 72))[72].b).vApdu;
    EXPECT_EQ(BYTES(vIam.begin() + 7, vIam.begin() + 9), (BYTES{0x21, 50}));
}

TEST_F(Sim, BrokenFramesAreLoggedAndRefusedNotFatal) {
    Start(cBuilding);
    const std::uint32_t ip = 0x7F000014;
    CL_SEND(iFd, ip, 47808, BYTES{0x81, 0x0A, 0x00});
    CL_SEND(iFd, ip, 47808, BYTES{0x81, 0x0A, 0x00, 0x40, 0x01, 0x04, 0x00}); // length says 64
    CL_SEND(iFd, ip, 47808, BYTES{0x81, 0x0A, 0x00, 0x0A, 0x01, 0x2C, 0x00, 0x05, 0x09, 0xFF}); // DLEN beyond
    EXPECT_FALSE(CL_RECV(iFd, 200).has_value());
    BYTES a = CL_RP_APDU(Obj(0, 1), 77, -1, 20);
    a.resize(7); // object identifier cut short
    EXPECT_EQ(Ask(ip, CL_DIRECT(a)), (BYTES{0x60, 20, 5}));
    EXPECT_EQ(Ask(ip, CL_DIRECT(BYTES{0x00, 0x05, 21, 0x0F, 0x0C, 0, 0, 0, 1})), (BYTES{0x60, 21, 9}))
        << "writeProperty is not offered";
    a = CL_RP_APDU(Obj(0, 1), 77, -1, 22);
    a.push_back(0x39);
    a.push_back(0x01);
    EXPECT_EQ(Ask(ip, CL_DIRECT(a)), (BYTES{0x60, 22, 4})) << "a stray context tag 3";
    EXPECT_EQ(Ask(ip, CL_DIRECT(BYTES{0x08, 0x05, 23, 0, 1, 0x0C, 0x0C, 0, 0, 0, 1, 0x19, 0x4D})),
              (BYTES{0x71, 23, 4}))
        << "a segmented request is aborted: the devices do not segment";
    EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(Read(ip, Obj(0, 1), 77))), "RLT01'ZUL'T'MW");
    SIM_STOP(stSim);
    std::string sLog = SIM_LOG(stSim);
    EXPECT_NE(sLog.find("svc=invalid why=not-bip"), std::string::npos) << sLog;
    EXPECT_NE(sLog.find("svc=invalid why=bvlc-length"), std::string::npos) << sLog;
    EXPECT_NE(sLog.find("svc=invalid why=short"), std::string::npos) << sLog;
}

TEST_F(Sim, TsharkFindsNoMalformedFrameInACapturedScan) {
    ASSERT_EQ(std::system("command -v tshark >/dev/null"), 0)
        << "tshark is missing (scripts/setup.sh installs it)";
    std::string s = std::string(cBuilding) + R"(host 127.0.0.23
device 3001 net 9 mac 0A
  cov-after 1
  network-after 2
  whois-after 3
  error 85 2 32
  reject 28 9
  abort 117 4
object AI 4
  name Kanal 4
  description Druck [140]
  units 53
)";
    Start(s.c_str());
    int iFd2 = CL_OPEN(47810);
    Iams(CL_WHOIS());
    for (int i = 0; i <= 5; ++i)
        Read(0x7F000014, Obj(8, 1001), 76, i);
    Read(0x7F000014, Obj(19, 3), 110, 1);
    Read(0x7F000014, Obj(3, 2), 28);
    for (std::uint8_t ucProp : {77, 85, 28, 117, 79}) {
        CL_SEND(iFd, 0x7F000017, 47808,
                CL_ROUTED(CL_RP_APDU(Obj(0, 4), ucProp, -1, ++ucInvoke), 9, 0x0A, ulLo, 47810));
        while (auto r = CL_RECV(iFd2, 300)) {
            BYTES c = CL_SPLIT(r->b).vApdu;
            if (c.size() > 3 && c[0] == 0x00)
                CL_SEND(iFd, 0x7F000017, 47808, CL_DIRECT(BYTES{0x20, c[2], 0x01}));
        }
    }
    CL_SEND(iFd, 0x7F000017, 47808,
            CL_ROUTED(CL_RP_APDU(Obj(0, 4), 77, -1, ++ucInvoke), 7, 0x0A, ulLo, 47810));
    EXPECT_TRUE(CL_RECV(iFd2, 1000).has_value()) << "Reject-Message-To-Network";
    close(iFd2);
    SIM_STOP(stSim);
    std::string sCap = stSim.sDir + "/cap.pcap";
    std::string sBad = stSim.sDir + "/bad.txt", sAll = stSim.sDir + "/all.txt";
    ASSERT_EQ(std::system(("tshark -r " + sCap + " -Y '_ws.malformed || _ws.expert.severity >= warning' >" +
                           sBad + " 2>/dev/null")
                              .c_str()),
              0);
    ASSERT_EQ(std::system(("tshark -r " + sCap + " -Y bacapp >" + sAll + " 2>/dev/null").c_str()), 0);
    EXPECT_EQ(SIM_READ(sBad), "");
    std::string sText = SIM_READ(sAll);
    EXPECT_NE(sText.find("i-Am"), std::string::npos) << sText;
    EXPECT_NE(sText.find("readProperty"), std::string::npos) << sText;
    EXPECT_NE(sText.find("confirmedCOVNotification"), std::string::npos) << sText;
    EXPECT_GE(std::count(sText.begin(), sText.end(), '\n'), 30) << sText;
}

// Requests sent back to back to one host, one per object instance (AI); the request log's verdicts in order,
// "a" answered, "l" lost, "s" silent. Every request that is not lost is answered on the wire.
std::string LostPattern(const std::string &sBuilding, std::vector<std::string> vArgs, std::uint32_t ulIp,
                        const std::vector<std::uint32_t> &vObjs) {
    SIM stSim = SIM_START(sBuilding, vArgs);
    int iFd = CL_OPEN();
    std::uint8_t ucInvoke = 0;
    for (std::uint32_t ulInst : vObjs)
        CL_SEND(iFd, ulIp, 47808, CL_DIRECT(CL_RP_APDU(Obj(0, ulInst), 77, -1, ++ucInvoke)));
    std::size_t uAnswers = 0;
    while (CL_RECV(iFd, 300))
        ++uAnswers;
    close(iFd);
    SIM_STOP(stSim);
    std::istringstream is(SIM_LOG(stSim));
    std::string sLine, sPattern;
    while (std::getline(is, sLine))
        if (sLine.find("svc=read-property") != std::string::npos)
            sPattern += sLine.find(" answer=lost") != std::string::npos
                            ? 'l'
                            : (sLine.find(" answer=silent") != std::string::npos ? 's' : 'a');
    EXPECT_EQ(uAnswers, static_cast<std::size_t>(std::count(sPattern.begin(), sPattern.end(), 'a')))
        << sPattern;
    return sPattern;
}

TEST_F(Sim, LostRequestsGetNoAnswer) {
    const std::string sTwo = "object AI 1\n  name Eins\nobject AI 2\n  name Zwei\n";
    struct CASE {
        const char *cWhat;
        std::string sBuilding;
        std::vector<std::uint32_t> vObjs;
        const char *cWant;
    } aCases[] = {
        {"loss 1 on the host", "host 127.0.0.70\nloss 1\ndevice 7\n" + sTwo, {1, 2, 1, 2}, "llll"},
        {"loss 1 of the building", "loss 1.0\nhost 127.0.0.70\ndevice 7\n" + sTwo, {1, 2}, "ll"},
        {"a host's loss 0 overrides the building's",
         "loss 1\nhost 127.0.0.70\nloss 0\ndevice 7\n" + sTwo,
         {1, 2},
         "aa"},
        {"lose-request 3 of the device",
         "host 127.0.0.70\ndevice 7\n  lose-request 3\n" + sTwo,
         {1, 2, 1, 1, 2},
         "aalaa"},
        {"lose-request 2 of an object, counted at the object",
         "host 127.0.0.70\ndevice 7\n" + sTwo + "  lose-request 2\n  lose-request 3\n",
         {2, 1, 1, 2, 2, 2},
         "aaalla"},
        {"a lost request counts for no silent-after",
         "host 127.0.0.70\ndevice 7\n  lose-request 1\n  silent-after 2\n" + sTwo,
         {1, 1, 1, 1},
         "laas"},
    };
    for (const CASE &k : aCases)
        EXPECT_EQ(LostPattern(k.sBuilding, {}, CL_IP("127.0.0.70"), k.vObjs), k.cWant) << k.cWhat;
    Start(("host 127.0.0.70\nloss 1\ndevice 7\n" + sTwo).c_str());
    EXPECT_EQ(Keys(Iams(CL_WHOIS())), std::set<std::uint32_t>{7}) << "a Who-Is is never lost";
    EXPECT_EQ(Read(CL_IP("127.0.0.70"), Obj(0, 1), 77, -1), BYTES{});
    SIM_STOP(stSim);
    EXPECT_NE(
        SIM_LOG(stSim).find("svc=read-property dev=7 obj=0:1 prop=77 idx=- invoke=1 via=direct answer=lost"),
        std::string::npos)
        << SIM_LOG(stSim);
}

TEST_F(Sim, LossFollowsTheSeed) {
    std::string s = "host 127.0.0.70\nloss 0.5\ndevice 7\n";
    std::vector<std::uint32_t> vObjs;
    for (std::uint32_t i = 1; i <= 40; ++i) {
        s += "object AI " + std::to_string(i) + "\n  name P" + std::to_string(i) + "\n";
        vObjs.push_back(i);
    }
    std::string sOne = LostPattern(s, {}, CL_IP("127.0.0.70"), vObjs);
    EXPECT_EQ(LostPattern(s, {"--seed", "1"}, CL_IP("127.0.0.70"), vObjs), sOne) << "1 is the default seed";
    std::string sTwo = LostPattern(s, {"--seed", "2"}, CL_IP("127.0.0.70"), vObjs);
    EXPECT_NE(sOne, sTwo);
    for (const std::string &p : {sOne, sTwo}) {
        EXPECT_EQ(p.size(), 40u);
        EXPECT_GE(std::count(p.begin(), p.end(), 'l'), 8) << p;
        EXPECT_GE(std::count(p.begin(), p.end(), 'a'), 8) << p;
    }
}

// A router with 3000 devices answers one Who-Is with all their I-Ams, in the order of the description, also
// when the interface queue is too short for the burst and the kernel refuses sends for a while.
TEST_F(Sim, IamStormArrivesWholeAndInOrder) {
    std::string s = "host 127.0.0.80\n";
    char c[80];
    for (int i = 1; i <= 3000; ++i) {
        std::snprintf(c, sizeof c, "device %d net 5 mac %04X\nobject AI 1\n  name R%d\n", 100000 + i, i, i);
        s += c;
    }
    int iBuf = 64 << 20;
    if (setsockopt(iFd, SOL_SOCKET, SO_RCVBUFFORCE, &iBuf, sizeof iBuf) != 0)
        setsockopt(iFd, SOL_SOCKET, SO_RCVBUF, &iBuf, sizeof iBuf);
    for (const char *cQueue : {"", "tc qdisc add dev lo root tbf rate 4mbit burst 4kb limit 8kb"}) {
        ASSERT_EQ(std::system(cQueue), 0) << cQueue;
        Start(s.c_str());
        CL_SEND(iFd, 0x7FFFFFFF, 47808, CL_WHOIS());
        std::vector<std::uint32_t> vGot;
        while (auto r = CL_RECV(iFd, 500)) {
            CL_NPDU n = CL_SPLIT(r->b);
            if (n.vApdu.size() >= 7 && n.vApdu[1] == 0x00)
                vGot.push_back(((n.vApdu[4] << 16) | (n.vApdu[5] << 8) | n.vApdu[6]) & 0x3FFFFF);
        }
        SIM_STOP(stSim);
        if (*cQueue != '\0') std::system("tc qdisc del dev lo root");
        ASSERT_EQ(vGot.size(), 3000u) << cQueue;
        for (std::uint32_t i = 0; i < 3000; ++i)
            ASSERT_EQ(vGot[i], 100001 + i) << cQueue;
        EXPECT_NE(SIM_LOG(stSim).find("svc=who-is lo=- hi=- via=global dnet=65535 dadr=- answer=iam:3000"),
                  std::string::npos);
    }
}

// Across the bench's veth pair against the sample building, bound the way the scanner binds: every address
// of its host, no SO_REUSEADDR. Runs only under tests/harness/bench-net (bacsim_bench_test).
TEST(Bench, SampleBuildingAnswersAcrossTheVeth) {
    const char *cLog = std::getenv("BENCH_LOG"), *cHost = std::getenv("HOST");
    if (cLog == nullptr || cHost == nullptr) GTEST_SKIP() << "runs under tests/harness/bench-net";
    NT_REQUIRE_PRIVATE_NETNS();
    int iFd = socket(AF_INET, SOCK_DGRAM, 0);
    int iOn = 1;
    setsockopt(iFd, SOL_SOCKET, SO_BROADCAST, &iOn, sizeof iOn);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(47808);
    ASSERT_EQ(bind(iFd, reinterpret_cast<sockaddr *>(&sa), sizeof sa), 0);
    const std::uint32_t ulSelf = CL_IP(cHost);
    std::uint32_t ulTop = ulSelf >> 24;
    CL_SEND(iFd, ulSelf | (ulTop < 128 ? 0xFFFFFF : (ulTop < 192 ? 0xFFFF : 0xFF)), 47808, CL_WHOIS());
    std::map<std::uint32_t, CL_RX> m;
    while (auto r = CL_RECV(iFd, 500, ulSelf)) {
        CL_NPDU n = CL_SPLIT(r->b);
        if (n.vApdu.size() >= 7 && n.vApdu[1] == 0x00)
            m[((n.vApdu[5] & 0x3F) << 8 | n.vApdu[6]) | (n.vApdu[4] << 16)] = *r;
    }
    EXPECT_EQ(Keys(m), (std::set<std::uint32_t>{1001, 1002, 1003, 5001}));
    EXPECT_EQ(m[5001].ulIp, CL_IP("192.168.1.22"));
    EXPECT_EQ(CL_SPLIT(m[5001].b).iSnet, 5);
    // Routed read through the router, with the scanner's own address as the original source.
    CL_SEND(iFd, CL_IP("192.168.1.22"), 47808,
            CL_ROUTED(CL_RP_APDU(Obj(8, 5001), 77, -1, 1), 5, 0x21, ulSelf, 47808));
    auto r = CL_RECV(iFd, 1000, ulSelf);
    ASSERT_TRUE(r.has_value());
    CL_NPDU n = CL_SPLIT(r->b);
    EXPECT_EQ(n.iSnet, 5);
    EXPECT_EQ(n.vSadr, BYTES{0x21});
    EXPECT_EQ(CL_TEXT(CL_ACK_VALUE(n.vApdu)), "RA05 Raumautomation 2.OG");
    CL_SEND(iFd, CL_IP("192.168.1.20"), 47808, CL_DIRECT(CL_RP_APDU(Obj(8, 1001), 76, 0, 2)));
    r = CL_RECV(iFd, 1000, ulSelf);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(CL_ACK_VALUE(CL_SPLIT(r->b).vApdu), (BYTES{0x21, 79})) << "the device and its 78 objects";
    close(iFd);
    EXPECT_NE(SIM_READ(cLog).find("prop=77 idx=- invoke=1 via=routed dnet=5 dadr=21 answer=ack"),
              std::string::npos);
}

TEST(SimGuard, RefusesOutsideAPrivateNamespace) {
    std::ofstream("refused.txt") << "host 127.0.0.60\ndevice 1\n";
    std::string sCmd = std::string("NT_OUTER_NETNS=$(readlink /proc/self/ns/net) ") + BACSIM_EXE +
                       " --log refused.log --seconds 1 refused.txt 2>&1";
    FILE *fp = popen(sCmd.c_str(), "r");
    char c[512] = {};
    std::size_t n = std::fread(c, 1, sizeof c - 1, fp);
    int iSt = pclose(fp);
    EXPECT_EQ(WEXITSTATUS(iSt), 97);
    EXPECT_NE(std::string(c, n).find("refusing"), std::string::npos);
    EXPECT_NE(access("refused.log", F_OK), 0) << "nothing opened before the check";
}

TEST(SimDescription, ErrorsNameFileAndLine) {
    struct CASE {
        const char *cText, *cWant;
    } aCases[] = {
        {"host 10.0.0.20\nobject AI 1\n", ":2: object before any device"},
        {"host 10.0.0.20\ndevice 1\n  units abc\n", ":3: bad value for units"},
        {"host 10.0.0.20\ndevice 1\ndevice 1\n", ":3: device 1 given twice"},
        {"host 10.0.0.20\ndevice 1\nhost 10.0.0.20\n", ":3: host given twice"},
        {"host 10.0.0.20\ndevice 1\ndevice 2\n", ":3: a host carries one direct device"},
        {"host 10.0.0.20\ndevice 5 net 5\n", ":2: net and mac go together"},
        {"host 10.0.0.20\ndevice 1\n  error bogus 1 2\n", ":3: unknown property bogus"},
        {"host 10.0.0.20\ndevice 1\nobject XY 1\n", ":3: bad object type XY"},
        {"device 1\n", ":1: device before any host"},
        {"loss 1.5\nhost 10.0.0.20\n", ":1: loss needs a probability 0..1"},
        {"host 10.0.0.20\nloss 0,5\n", ":2: loss needs a probability 0..1"},
        {"host 10.0.0.20\ndevice 1\n  lose-request 0\n", ":3: lose-request needs a count from 1"},
        {"host 10.0.0.20\ndevice 1\n  delay 10 11\n", ":3: delay jitter must be 1..10 milliseconds"},
        {"host 10.0.0.20\ndevice 1\n  flood-after 3\n", ":3: flood-after needs a count from 1 and rounds"},
        {"host 10.0.0.20\n  bdt 10.0.0.21\n", ":2: bdt belongs to a bbmd host"},
        {"host 10.0.0.20 bbmd\ndevice 1\n", ":2: a bbmd host carries no device"},
        {"host 10.0.0.20 bbmd\n  nak register 0\n", ":2: nak register takes a count from 1"},
        {"host 10.0.0.20\n  claims 65535\n", ":2: claims needs a network 1..65534"},
        {"host 10.0.0.20 bbmd\n  router\n", ":2: router belongs to a router host"},
        {"# nothing\n", ": no host"},
    };
    for (const CASE &k : aCases) {
        std::ofstream("bad.txt") << k.cText;
        FILE *fp = popen((std::string(BACSIM_EXE) + " --check bad.txt 2>&1").c_str(), "r");
        char c[512] = {};
        std::size_t n = std::fread(c, 1, sizeof c - 1, fp);
        EXPECT_EQ(WEXITSTATUS(pclose(fp)), 2) << k.cText;
        EXPECT_NE(std::string(c, n).find(k.cWant), std::string::npos) << std::string(c, n);
    }
}

} // namespace
