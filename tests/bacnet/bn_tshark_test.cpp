// The frames this layer builds, read by an independent decoder: every request, answer and refusal is
// written into a capture file (raw IPv4/UDP to port 47808) and decoded by tshark. No frame may be malformed
// or draw an expert warning, and tshark must see the service, invoke id, object, property and array index
// that were built. For frames as devices send them (I-Am, ReadProperty-ACK, Error, Reject), tshark and this
// layer's decoder must agree. Runs inside the private network namespace of the test harness: the answers of
// the message check are sent on loopback and read back there.
#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>
#include <gtest/gtest.h>
#include "bacnet/bn.h"
#include "bn_test.h"
#include "scanner/setup/sc_setup.h"
#include "support/el_probe.h"
#include "support/netns_guard.h"

static const int iGuard = [] {
    NT_REQUIRE_PRIVATE_NETNS();
    return 0;
}();

namespace {
// What a frame must decode to; -1 = field not expected / not checked.
struct SOLL {
    std::string cName;
    NT_BYTES f;
    int iTyp = -1, iService = -1, iInvoke = -1, iObjTyp = -1, iInst = -1, iProp = -1, iIndex = -1;
    int iClass = -1, iCode = -1, iReason = -1;
    bool bRouted = false;
};

// Capture file, link type raw IPv4: every frame from 10.0.0.5 to 10.0.0.20, UDP 47808 on both sides.
void PCAP(const char *cName, const std::vector<SOLL> &v) {
    FILE *fp = std::fopen(cName, "wb");
    ASSERT_NE(fp, nullptr);
    auto w32 = [&](std::uint32_t x) { std::fwrite(&x, 4, 1, fp); };
    auto w16 = [&](std::uint16_t x) { std::fwrite(&x, 2, 1, fp); };
    w32(0xA1B2C3D4), w16(2), w16(4), w32(0), w32(0), w32(65535), w32(101);
    std::uint32_t ulSek = 1;
    for (const SOLL &s : v) {
        NT_BYTES p(28);
        const std::size_t n = 28 + s.f.size();
        const unsigned char ip[20] = {
            0x45, 0, (unsigned char)(n >> 8), (unsigned char)n, 0, 0, 0, 0, 64, 17, 0, 0, 10, 0, 0, 5, 10, 0,
            0,    20};
        std::copy(ip, ip + 20, p.begin());
        std::uint32_t sum = 0;
        for (int i = 0; i < 20; i += 2)
            sum += p[i] << 8 | p[i + 1];
        while (sum >> 16)
            sum = (sum & 0xFFFF) + (sum >> 16);
        p[10] = (unsigned char)(~sum >> 8), p[11] = (unsigned char)~sum;
        const std::size_t u = 8 + s.f.size();
        const unsigned char udp[8] = {0xBA, 0xC0, 0xBA, 0xC0, (unsigned char)(u >> 8), (unsigned char)u,
                                      0,    0};
        std::copy(udp, udp + 8, p.begin() + 20);
        p.insert(p.end(), s.f.begin(), s.f.end());
        w32(ulSek++), w32(0), w32((std::uint32_t)p.size()), w32((std::uint32_t)p.size());
        std::fwrite(p.data(), 1, p.size(), fp);
    }
    std::fclose(fp);
}

std::string RUN(const std::string &cCmd) {
    std::string out;
    FILE *fp = popen((cCmd + " 2>/dev/null").c_str(), "r");
    if (fp == nullptr) return out;
    char b[4096];
    for (std::size_t n; (n = std::fread(b, 1, sizeof b, fp)) > 0;)
        out.append(b, n);
    pclose(fp);
    return out;
}

std::vector<std::string> SPLIT(const std::string &s, char c) {
    std::vector<std::string> v;
    std::string t;
    std::istringstream is(s);
    while (std::getline(is, t, c))
        v.push_back(t);
    return v;
}

// First value of a field as tshark prints it ("a,b" for repeated fields), -1 when absent.
int ZAHL(const std::string &s) {
    if (s.empty()) return -1;
    return (int)std::strtol(SPLIT(s, ',')[0].c_str(), nullptr, 0);
}

const char *FELDER[] = {"bacapp.type",
                        "bacapp.confirmed_service",
                        "bacapp.invoke_id",
                        "bacapp.objectType",
                        "bacapp.instance_number",
                        "bacapp.property_identifier",
                        "bacapp.error_class",
                        "bacapp.error_code",
                        "bacapp.reject_reason",
                        "bvlc.function",
                        "bvlc.fwd_ip",
                        "bvlc.fwd_port",
                        "bacnet.dnet",
                        "bacnet.dlen",
                        "bacnet.dadr_mstp",
                        "bacnet.hopc",
                        "bacapp.unconfirmed_service",
                        "bacapp.vendor_identifier"};
constexpr int F_TYP = 0, F_SVC = 1, F_INV = 2, F_OTYP = 3, F_INST = 4, F_PROP = 5, F_CLASS = 6, F_CODE = 7,
              F_REASON = 8, F_FUNC = 9, F_FWDIP = 10, F_FWDPORT = 11, F_DNET = 12, F_DLEN = 13, F_DADR = 14,
              F_HOP = 15, F_USVC = 16, F_VENDOR = 17;

// Per frame: the named fields, and the lines of tshark's detailed view of the frame, trimmed.
struct DEKODIERT {
    std::vector<std::string> feld;
    std::vector<std::string> text;
    bool HAT(const std::string &z) const {
        for (auto &t : text)
            if (t == z) return true;
        return false;
    }
};

std::vector<DEKODIERT> TSHARK(const char *cPcap, std::string *cBefund) {
    std::string cmd = std::string("tshark -r ") + cPcap + " -T fields -E separator=/t -E occurrence=a";
    for (const char *f : FELDER)
        cmd += std::string(" -e ") + f;
    std::vector<DEKODIERT> v;
    for (auto &z : SPLIT(RUN(cmd), '\n')) {
        DEKODIERT d;
        d.feld = SPLIT(z, '\t');
        d.feld.resize(sizeof FELDER / sizeof *FELDER);
        v.push_back(d);
    }
    int i = -1;
    for (auto &z : SPLIT(RUN(std::string("tshark -r ") + cPcap + " -V"), '\n')) {
        if (z.rfind("Frame ", 0) == 0) i++;
        std::size_t a = z.find_first_not_of(' ');
        if (i >= 0 && i < (int)v.size() && a != std::string::npos) v[i].text.push_back(z.substr(a));
    }
    *cBefund = RUN(std::string("tshark -r ") + cPcap +
                   " -Y '_ws.malformed || _ws.expert.severity >= warning' -T fields -e frame.number"
                   " -e _ws.expert.message");
    return v;
}

class BnTshark : public NT_BN_NETZ {
  protected:
    static void SetUpTestSuite() {
        ASSERT_NE(RUN("tshark --version"), "") << "tshark is not installed (scripts/setup.sh installs it)";
    }
    void SetUp() override {
        NT_BN_NETZ::SetUp();
        IP_PORT direkt{0x0A000014, 47808}, router{0x0A000001, 47808};
        const unsigned char mac[] = {0x21};
        QX04_BN_RT_SET(0x02000000 | 1234, 0, 0, nullptr, &direkt);
        QX04_BN_RT_SET(0x02000000 | 77, 5, 1, mac, &router);
        ucQX04_InvokeId = 0;
    }
    // A ReadProperty request to device 1234 for the object ulObj, with an index when usIdx < 0xFFFF.
    NT_BYTES ANFRAGE(std::uint32_t ulDev, std::uint32_t ulObj, std::uint16_t usProp, std::uint16_t usIdx) {
        unsigned char buf[QX04_BUF_SIZE];
        IP_PORT p{};
        int n = usIdx == 0xFFFF ? QX04_BN_RD(ulDev, ulObj, usProp, &p, buf)
                                : QX04_BN_RDARR(ulDev, ulObj, usProp, usIdx, &p, buf);
        return NT_BYTES(buf, buf + (n > 0 ? n : 0));
    }
};

void PRUEFEN(const std::vector<SOLL> &soll, const std::vector<DEKODIERT> &ist) {
    ASSERT_EQ(ist.size(), soll.size());
    for (std::size_t i = 0; i < soll.size(); i++) {
        const SOLL &s = soll[i];
        const auto &f = ist[i].feld;
        SCOPED_TRACE("frame " + std::to_string(i + 1) + ": " + s.cName);
        const int iSvc = ZAHL(f[F_SVC]) >= 0 ? ZAHL(f[F_SVC]) : ZAHL(f[F_USVC]);
        EXPECT_EQ(ZAHL(f[F_TYP]), s.iTyp);
        if (s.iService >= 0) {
            EXPECT_EQ(iSvc, s.iService);
        }
        if (s.iInvoke >= 0) {
            EXPECT_EQ(ZAHL(f[F_INV]), s.iInvoke);
        }
        if (s.iObjTyp >= 0) {
            EXPECT_EQ(ZAHL(f[F_OTYP]), s.iObjTyp);
        }
        if (s.iInst >= 0) {
            EXPECT_EQ(ZAHL(f[F_INST]), s.iInst);
        }
        if (s.iProp >= 0) {
            EXPECT_EQ(ZAHL(f[F_PROP]), s.iProp);
        }
        if (s.iClass >= 0) {
            EXPECT_EQ(ZAHL(f[F_CLASS]), s.iClass);
        }
        if (s.iCode >= 0) {
            EXPECT_EQ(ZAHL(f[F_CODE]), s.iCode);
        }
        if (s.iReason >= 0) {
            EXPECT_EQ(ZAHL(f[F_REASON]), s.iReason);
        }
        // the array index is shown as text only
        bool bIdx = false;
        for (auto &t : ist[i].text)
            if (t.rfind("property Array Index (Unsigned) ", 0) == 0) {
                bIdx = true;
                EXPECT_EQ(t, "property Array Index (Unsigned) " + std::to_string(s.iIndex));
            }
        EXPECT_EQ(bIdx, s.iIndex >= 0);
        if (s.bRouted) {
            EXPECT_EQ(ZAHL(f[F_FUNC]), 0x04);
            EXPECT_EQ(f[F_FWDIP], "127.0.0.1");
            EXPECT_EQ(ZAHL(f[F_FWDPORT]), 47808);
            EXPECT_EQ(ZAHL(f[F_DNET]), 5);
            EXPECT_EQ(ZAHL(f[F_DLEN]), 1);
            EXPECT_EQ(ZAHL(f[F_DADR]), 0x21);
            EXPECT_EQ(ZAHL(f[F_HOP]), 255);
        }
    }
}
} // namespace

TEST_F(BnTshark, FramesTheLayerBuilds) {
    std::vector<SOLL> v;
    SC_WHOIS();
    v.push_back({"Who-Is", NT_BYTES(QX04_SEND_Buf, QX04_SEND_Buf + 12), 1, 8});
    // requests: local and routed, property and index below and above 255
    int iInv = 1;
    for (bool bRouted : {false, true})
        for (std::uint16_t usProp : {85, 300})
            for (std::uint16_t usIdx : {0xFFFF, 0, 255, 256, 1000}) {
                SOLL s{"ReadProperty",
                       ANFRAGE(bRouted ? 77 : 1234, 0x00000003, usProp, usIdx),
                       0,
                       12,
                       iInv++,
                       0,
                       3,
                       usProp,
                       usIdx == 0xFFFF ? -1 : usIdx};
                s.bRouted = bRouted;
                v.push_back(s);
            }
    // answers to confirmed requests of another node
    const NT_BYTES cov = NT_FRAME({0x00, 0x05, 0x21, 0x01, 0x09, 0x00});
    QX04_BN_MSGCHK(&stPeer, cov.data());
    v.push_back({"Simple-ACK", ANTWORT(), 2, 1, 0x21});
    const NT_BYTES wp = NT_FRAME({0x00, 0x05, 0x22, 0x0F, 0x0C, 0x00, 0x00, 0x00, 0x01, 0x19, 0x55});
    QX04_BN_MSGCHK(&stPeer, wp.data());
    SOLL e{"Error for writeProperty", ANTWORT(), 5, 15, 0x22};
    e.iClass = 1, e.iCode = 29;
    v.push_back(e);
    // the own device's property table, every entry, and both refusals
    struct {
        int iProp, iIdx;
    } const tab[] = {{76, 0},  {75, -1}, {76, 1},   {76, -1},  {77, -1},  {70, -1}, {28, -1}, {121, -1},
                     {44, -1}, {12, -1}, {79, -1},  {112, -1}, {120, -1}, {98, -1}, {95, -1}, {97, -1},
                     {96, -1}, {62, -1}, {107, -1}, {11, -1},  {73, -1},  {30, -1}};
    for (auto &t : tab) {
        NT_BYTES rq =
            ANFRAGE(1234, 0xFFFFFFFF, (std::uint16_t)t.iProp, t.iIdx < 0 ? 0xFFFF : (std::uint16_t)t.iIdx);
        const int iInvRq = rq[8];
        v.push_back({"request for the own device", rq, 0, 12, iInvRq, 1023, 4194303, t.iProp, t.iIdx});
        QX04_BN_MSGCHK(&stPeer, rq.data());
        v.push_back({"own property " + std::to_string(t.iProp), ANTWORT(), 3, 12, iInvRq, 1023, 4194303,
                     t.iProp, t.iIdx});
    }
    NT_BYTES rq = ANFRAGE(1234, 0xFFFFFFFF, 76, 2);
    QX04_BN_MSGCHK(&stPeer, rq.data());
    SOLL r1{"refusal: object-list index 2", ANTWORT(), 5, 12, rq[8]};
    r1.iClass = 2, r1.iCode = 42;
    v.push_back(r1);
    rq = ANFRAGE(1234, 0x02000000 | 12345, 77, 0xFFFF);
    QX04_BN_MSGCHK(&stPeer, rq.data());
    SOLL r2{"refusal: another device", ANTWORT(), 5, 12, rq[8]};
    r2.iClass = 1, r2.iCode = 29;
    v.push_back(r2);

    PCAP("gebaut.pcap", v);
    std::string cBefund;
    auto ist = TSHARK("gebaut.pcap", &cBefund);
    EXPECT_EQ(cBefund, "") << "malformed frames or expert warnings";
    PRUEFEN(v, ist);
}

TEST_F(BnTshark, DeviceFramesBothDecodersAgreeOn) {
    std::vector<SOLL> v;
    // I-Am of device 123: max APDU 480, segmentation none (3), vendor 15
    const NT_BYTES iam =
        NT_FRAME({0x10, 0x00, 0xC4, 0x02, 0x00, 0x00, 0x7B, 0x22, 0x01, 0xE0, 0x91, 0x03, 0x21, 0x0F});
    v.push_back({"I-Am", iam, 1, 0, -1, 8, 123});
    // ReadProperty-ACK: object-name of analog input 3, a text with a code-page byte (ISO 8859-1 set)
    const NT_BYTES ack = NT_FRAME({0x30, 0x09, 0x0C, 0x0C, 0x00, 0x00, 0x00, 0x03, 0x19, 0x4D, 0x3E, 0x75,
                                   0x0A, 0x00, 'K',  'e',  's',  's',  'e',  'l',  ' ',  'V',  'L',  0x3F});
    v.push_back({"ReadProperty-ACK, text", ack, 3, 12, 9, 0, 3, 77});
    // ReadProperty-ACK: present-value of analog input 3 as a Real, 21.5
    const NT_BYTES real = NT_FRAME({0x30, 0x09, 0x0C, 0x0C, 0x00, 0x00, 0x00, 0x03, 0x19, 0x55, 0x3E, 0x44,
                                    0x41, 0xAC, 0x00, 0x00, 0x3F});
    v.push_back({"ReadProperty-ACK, real", real, 3, 12, 9, 0, 3, 85});
    SOLL err{"Error", NT_FRAME({0x50, 0x09, 0x0C, 0x91, 0x02, 0x91, 0x20}), 5, 12, 9};
    err.iClass = 2, err.iCode = 32;
    v.push_back(err);
    SOLL rej{"Reject", NT_FRAME({0x60, 0x09, 0x09}), 6, -1, 9};
    rej.iReason = 9;
    v.push_back(rej);

    PCAP("geraet.pcap", v);
    std::string cBefund;
    auto ist = TSHARK("geraet.pcap", &cBefund);
    EXPECT_EQ(cBefund, "");
    PRUEFEN(v, ist);
    ASSERT_EQ(ist.size(), v.size());

    // our side: the I-Am enters the route table
    EXPECT_EQ(QX04_BN_MSGCHK(&stPeer, iam.data()), -1);
    const QX04_BN_ROUTE *r = QX04_BN_RT_FIND(123, 0xFFFF, 255, nullptr, nullptr);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(ZAHL(ist[0].feld[F_VENDOR]), r->usVendorId);
    EXPECT_TRUE(ist[0].HAT("Maximum ADPU Length Accepted: (Unsigned) " + std::to_string(r->usMaxApdu)));
    EXPECT_TRUE(
        ist[0].HAT("Segmentation Supported:  no-segmentation (" + std::to_string(r->ucSegment) + ")"));
    // the text and the number, as the scan loop takes them
    ucQX04_InvokeId = 9;
    EXPECT_EQ(QX04_BN_MSGCHK(&stPeer, ack.data()), 3);
    const char *c = QX04_BN_GETCHAR(ack.data(), 77);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(ist[1].HAT(std::string("Object Name: ") + c));
    std::uint32_t ul;
    EXPECT_EQ(QX04_BN_GETWERT(real.data(), 85, &ul), 4);
    float fl;
    std::memcpy(&fl, &ul, sizeof fl);
    char cReal[64];
    std::snprintf(cReal, sizeof cReal, "Present Value (real): %g", fl);
    EXPECT_TRUE(ist[2].HAT(cReal)) << cReal;
    // errors and rejects for the outstanding request
    EXPECT_EQ(QX04_BN_MSGCHK(&stPeer, v[3].f.data()), -1000 - ZAHL(ist[3].feld[F_CODE]));
    EXPECT_EQ(QX04_BN_MSGCHK(&stPeer, v[4].f.data()), -2000 - ZAHL(ist[4].feld[F_REASON]));
}

// The check for malformed frames must itself work: a frame cut inside a tag is reported.
TEST_F(BnTshark, BrokenFrameIsReported) {
    std::vector<SOLL> v{{"cut ACK", NT_FRAME({0x30, 0x09, 0x0C, 0x0C, 0x00, 0x00, 0x00, 0x03, 0x19, 0x4D,
                                              0x3E, 0x75, 0x20, 0x00, 'K'})}};
    PCAP("kaputt.pcap", v);
    std::string cBefund;
    TSHARK("kaputt.pcap", &cBefund);
    EXPECT_EQ(cBefund.rfind("1\t", 0), 0u) << cBefund;
}
