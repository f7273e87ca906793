// The message check on received frames: the receive guard, the scanner's own echoes, acknowledgements,
// errors and rejects of the outstanding request, routes learned from I-Am, and the answers to confirmed
// requests. Answers are sent on loopback inside the private network namespace of the test harness and read
// back by a socket standing in for the other node.
#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>
#include <gtest/gtest.h>
#include "bacnet/bn.h"
#include "bn_test.h"
#include "support/el_probe.h"
#include "support/netns_guard.h"

static const int iGuard = [] {
    NT_REQUIRE_PRIVATE_NETNS();
    return 0;
}();

namespace {
constexpr std::uint32_t OWN = 0x7F000001;  // the scanner's host (HOST below)
constexpr std::uint32_t PEER = 0x7F000002; // another node
class BnMsgChk : public NT_BN_NETZ {
  protected:
    void SetUp() override {
        NT_BN_NETZ::SetUp();
        ucQX04_InvokeId = 7;
    }
    int CHK(const NT_BYTES &f, IP_PORT p) {
        return QX04_BN_MSGCHK(&p, f.data());
    }
    int CHK(const NT_BYTES &f) {
        return CHK(f, stPeer);
    }
};

const NT_BYTES IAM_123 =
    NT_FRAME({0x10, 0x00, 0xC4, 0x02, 0x00, 0x00, 0x7B, 0x22, 0x01, 0xE0, 0x91, 0x00, 0x21, 0x0F});
const NT_BYTES WHOIS = NT_RAW({0x81, 0x0B, 0x00, 0x0C, 0x01, 0x20, 0xFF, 0xFF, 0x00, 0xFF, 0x10, 0x08});
} // namespace

TEST_F(BnMsgChk, ReceiveGuard) {
    const unsigned char b[] = {0x81, 0x0A, 0x00, 0x06, 0x01, 0x00};
    EXPECT_EQ(QX04_BN_RXCHK(b, 6), 0);
    EXPECT_EQ(QX04_BN_RXCHK(b, 3), -1); // shorter than the BVLC header
    EXPECT_EQ(QX04_BN_RXCHK(b, 5), -1); // BVLC length above the bytes received
    EXPECT_EQ(QX04_BN_RXCHK(b, 50), 0); // bytes behind the frame are not part of it
    const unsigned char k[] = {0x81, 0x0A, 0x00, 0x03, 0x01};
    EXPECT_EQ(QX04_BN_RXCHK(k, 5), -1); // BVLC length below the header
    auto el = NT_EL_NEU();
    ASSERT_EQ(el.size(), 3u);
    for (auto &z : el) {
        EXPECT_EQ(z.rfind("QX04_BN_MSGCHK:  ", 0), 0u) << z;
        EXPECT_NE(z.find("(unzul. BVLC)"), std::string::npos) << z;
    }
}

TEST_F(BnMsgChk, InvalidBvlcAndShortApdu) {
    auto f = IAM_123;
    f[0] = 0x82;
    EXPECT_EQ(CHK(f), -1);
    auto el = NT_EL_NEU();
    ASSERT_EQ(el.size(), 1u);
    EXPECT_EQ(el[0], "QX04_BN_MSGCHK:  20 (0x0014) / 4 (0x0004)  (unzul. BVLC)");
    EXPECT_TRUE(ANTWORT(100).empty());
    EXPECT_EQ(tabelle[0].ulSDEV, 0xFFFFFFFFu);
    EXPECT_EQ(CHK(NT_FRAME({0x10})), -1);
    EXPECT_EQ(CHK(NT_RAW({0x81, 0x0A, 0x00, 0x05, 0x01})), -1); // NPDU without control byte
    el = NT_EL_NEU();
    ASSERT_EQ(el.size(), 2u);
    EXPECT_EQ(el[0], "QX04_BN_MSGCHK:  7 (0x0007) / -1 (0xFFFFFFFF)  (APDU zu kurz)");
}

TEST_F(BnMsgChk, OwnBroadcastComingBackIsDropped) {
    auto iam = IAM_123;
    EXPECT_EQ(CHK(iam, IP_PORT{OWN, 47808}), -1);
    EXPECT_EQ(tabelle[0].ulSDEV, 0xFFFFFFFFu);
    EXPECT_EQ(CHK(WHOIS, IP_PORT{OWN, 47808}), -1);
    EXPECT_TRUE(NT_EL_NEU().empty());
    // the scanner's host, but another port: another program there is a node like any other
    EXPECT_EQ(CHK(iam, IP_PORT{OWN, 47900}), -1);
    EXPECT_EQ(tabelle[0].ulSDEV, 123u);
    EXPECT_EQ(tabelle[0].stPort.usPort, 47900);
}

TEST_F(BnMsgChk, AcknowledgementsErrorsAndRejectsOfTheOutstandingRequest) {
    EXPECT_EQ(CHK(NT_FRAME({0x30, 7, 0x0C, 0x0C, 0x02, 0x00, 0x00, 0x05})), 3);
    EXPECT_EQ(CHK(NT_FRAME({0x30, 6, 0x0C, 0x0C, 0x02, 0x00, 0x00, 0x05})), -1);
    EXPECT_EQ(CHK(NT_FRAME({0x20, 7, 0x0F})), 3);
    EXPECT_EQ(CHK(NT_FRAME({0x50, 7, 0x0C, 0x91, 0x01, 0x91, 0x1F})), -1031);
    EXPECT_EQ(CHK(NT_FRAME({0x50, 6, 0x0C, 0x91, 0x01, 0x91, 0x1F})), -1);
    EXPECT_EQ(CHK(NT_FRAME({0x50, 7, 0x0C})), -1); // no tags
    EXPECT_EQ(CHK(NT_FRAME({0x50, 7, 0x0C, 0x91, 0x01})), -999);
    EXPECT_EQ(CHK(NT_FRAME({0x60, 7, 0x09})), -2009);
    EXPECT_EQ(CHK(NT_FRAME({0x60, 6, 0x09})), -1);
    EXPECT_EQ(CHK(NT_FRAME({0x70, 7, 0x01})), -1);
    EXPECT_EQ(CHK(NT_FRAME({0x40, 7, 0x00, 0x01})), -1);
    EXPECT_TRUE(NT_EL_NEU().empty());
    EXPECT_TRUE(ANTWORT(100).empty());
}

TEST_F(BnMsgChk, NoErrorCodeTurnsIntoAnotherResult) {
    // -1000 - 0xFFFFFC15 would be 3, the acknowledgement; codes beyond 16 bits count as undecodable
    EXPECT_EQ(CHK(NT_FRAME({0x50, 7, 0x0C, 0x91, 0x01, 0x94, 0xFF, 0xFF, 0xFC, 0x15})), -999);
    EXPECT_EQ(CHK(NT_FRAME({0x50, 7, 0x0C, 0x91, 0x01, 0x94, 0x7F, 0xFF, 0xFF, 0xFF})), -999);
    EXPECT_EQ(CHK(NT_FRAME({0x50, 7, 0x0C, 0x91, 0x01, 0x92, 0xFF, 0xFF})), -1000 - 65535);
    // a reject cut off before its reason still refuses the request
    EXPECT_EQ(CHK(NT_FRAME({0x60, 7})), -2000);
}

TEST_F(BnMsgChk, RoutesFromIAm) {
    EXPECT_EQ(CHK(IAM_123), -1);
    const QX04_BN_ROUTE &r = tabelle[0];
    EXPECT_EQ(r.ulSDEV, 123u);
    EXPECT_EQ(r.usSNET, 0);
    EXPECT_EQ(r.ucSLEN, 0);
    EXPECT_EQ(r.stPort.ulAdr, PEER);
    EXPECT_EQ(r.stPort.usPort, 47809);
    EXPECT_EQ(r.usMaxApdu, 480);
    EXPECT_EQ(r.ucSegment, 0);
    EXPECT_EQ(r.usVendorId, 15);
    // repeated from another endpoint: a second device with that instance, remembered; the first keeps it
    EXPECT_EQ(CHK(IAM_123, IP_PORT{0x7F000003, 47808}), -1);
    EXPECT_EQ(r.stPort.ulAdr, PEER);
    EXPECT_EQ(tabelle[1].ulSDEV, 0xFFFFFFFFu);
    // not a device object
    EXPECT_EQ(CHK(NT_FRAME({0x10, 0x00, 0xC4, 0x00, 0x00, 0x00, 0x7C, 0x22, 0x01, 0xE0})), -1);
    EXPECT_EQ(tabelle[1].ulSDEV, 0xFFFFFFFFu);
    // an I-Am cut short keeps what it carried
    EXPECT_EQ(CHK(NT_FRAME({0x10, 0x00, 0xC4, 0x02, 0x00, 0x00, 0x7D, 0x22, 0x01, 0xE0, 0x91})), -1);
    EXPECT_EQ(tabelle[1].ulSDEV, 125u);
    EXPECT_EQ(tabelle[1].usMaxApdu, 480);
    EXPECT_TRUE(NT_EL_NEU().empty());
    EXPECT_TRUE(ANTWORT(100).empty());
}

TEST_F(BnMsgChk, RoutedDevicesAreKnownByTheirSourceAddress) {
    // I-Am of device 200 through a router: SNET 5, SLEN 1, SADR 0x21
    auto iam = NT_FRAME({0x00, 0x05, 0x01, 0x21, 0x10, 0x00, 0xC4, 0x02, 0x00, 0x00, 0xC8}, 0x08);
    EXPECT_EQ(CHK(iam), -1);
    EXPECT_EQ(tabelle[0].ulSDEV, 200u);
    EXPECT_EQ(tabelle[0].usSNET, 5);
    ASSERT_EQ(tabelle[0].ucSLEN, 1);
    EXPECT_EQ(tabelle[0].ucSADR[0], 0x21);
    // its confirmed COV notification: known sender
    auto cov = NT_FRAME({0x00, 0x05, 0x01, 0x21, 0x00, 0x05, 0x33, 0x01, 0x09, 0x00}, 0x08);
    EXPECT_EQ(CHK(cov), 2);
    EXPECT_EQ(ANTWORT(), (NT_BYTES{0x81, 0x0A, 0x00, 0x09, 0x01, 0x00, 0x20, 0x33, 0x01}));
    // the same from another MAC address behind the router: unknown
    cov[9] = 0x22;
    EXPECT_EQ(CHK(cov), -1);
    EXPECT_EQ(ANTWORT().size(), 9u);
    // a source address longer than a record holds is never known
    auto lang = NT_FRAME(
        {0x00, 0x05, 0x09, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0x10, 0x00, 0xC4, 0x02, 0x00, 0x00, 0xC9}, 0x08);
    EXPECT_EQ(CHK(lang), -1);
    EXPECT_EQ(tabelle[1].ulSDEV, 0xFFFFFFFFu);
}

// A Forwarded-NPDU, as a BBMD relays a frame: the node in its header, not the BBMD, is the sender for routes,
// answers and the own-echo check (a header naming no single node leaves it to the BBMD). A BVLC-Result is
// kept for the registration; a device outside the range asked for is not learned.
TEST_F(BnMsgChk, ForwardedFramesComeFromTheNodeInTheirHeader) {
    const IP_PORT stBbmd{0x7F000003, 47808};
    EXPECT_EQ(CHK(NT_FWD(IAM_123, PEER, 47809), stBbmd), -1);
    EXPECT_EQ(tabelle[0].stPort.ulAdr, PEER);
    EXPECT_EQ(tabelle[0].stPort.usPort, 47809);
    EXPECT_EQ(CHK(NT_FWD(NT_FRAME({0x00, 0x05, 0x23, 0x0F, 0x0C}), PEER, 47809), stBbmd), -1);
    EXPECT_EQ(ANTWORT().size(), 13u); // the Error reached the node in the header
    const NT_BYTES rp = NT_FRAME({0x00, 0x05, 0x26, 0x0C, 0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0x19, 0x4D});
    EXPECT_EQ(CHK(NT_FWD(rp, PEER, 47809), stBbmd), -1);
    EXPECT_EQ(ANTWORT()[6], 0x30); // and so does the own device's answer
    EXPECT_EQ(CHK(NT_FWD(NT_FRAME({0x00, 0x05, 0x27, 0x0F, 0x0C}), OWN), stBbmd), -1);
    EXPECT_EQ(CHK(NT_FWD(NT_FRAME({0x10, 0x00, 0xC4, 0x02, 0x00, 0x00, 0x7C}), 0xFFFFFFFF), stBbmd), -1);
    EXPECT_EQ(tabelle[1].stPort.ulAdr, stBbmd.ulAdr);
    ulQX04_DevMin = 200;
    EXPECT_EQ(CHK(NT_FWD(NT_FRAME({0x10, 0x00, 0xC4, 0x02, 0x00, 0x00, 0x7D}), PEER, 47809), stBbmd), -1);
    ulQX04_DevMin = 0;
    EXPECT_EQ(tabelle[2].ulSDEV, 0xFFFFFFFFu);
    EXPECT_EQ(CHK(NT_RAW({0x81, 0x00, 0x00, 0x06, 0x00, 0x30}), stBbmd), -1);
    EXPECT_EQ(iQX04_BvlcErg, 0x30);
    EXPECT_EQ(stQX04_BvlcVon.ulAdr, stBbmd.ulAdr);
    EXPECT_TRUE(ANTWORT(100).empty());
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(BnMsgChk, ConfirmedRequestsGetAnAnswer) {
    auto cov = NT_FRAME({0x00, 0x05, 0x21, 0x01, 0x09, 0x00});
    EXPECT_EQ(CHK(cov), -1); // unknown sender: acknowledged all the same
    EXPECT_EQ(ANTWORT(), (NT_BYTES{0x81, 0x0A, 0x00, 0x09, 0x01, 0x00, 0x20, 0x21, 0x01}));
    CHK(IAM_123);
    EXPECT_EQ(CHK(cov), 2);
    EXPECT_EQ(ANTWORT().size(), 9u);
    auto event = NT_FRAME({0x00, 0x05, 0x22, 0x02, 0x09, 0x00});
    EXPECT_EQ(CHK(event), 2);
    EXPECT_EQ(ANTWORT(), (NT_BYTES{0x81, 0x0A, 0x00, 0x09, 0x01, 0x00, 0x20, 0x22, 0x02}));
    // writeProperty is not offered
    EXPECT_EQ(CHK(NT_FRAME({0x00, 0x05, 0x23, 0x0F, 0x0C, 0x00, 0x00, 0x00, 0x01})), -1);
    EXPECT_EQ(ANTWORT(),
              (NT_BYTES{0x81, 0x0A, 0x00, 0x0D, 0x01, 0x00, 0x50, 0x23, 0x0F, 0x91, 0x01, 0x91, 0x1D}));
    // segmented request: the service follows sequence number and window
    EXPECT_EQ(CHK(NT_FRAME({0x08, 0x05, 0x24, 0x00, 0x01, 0x0F, 0x0C})), -1);
    EXPECT_EQ(ANTWORT()[8], 0x0F);
    // a request that ends before its service is not answered
    EXPECT_EQ(CHK(NT_FRAME({0x00, 0x05, 0x25})), -1);
    EXPECT_TRUE(ANTWORT(100).empty());
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(BnMsgChk, ReadPropertyGoesToTheResponderOthersGetNoAnswer) {
    EXPECT_EQ(CHK(NT_FRAME({0x00, 0x05, 0x26, 0x0C, 0x0C, 0x02, 0x00, 0x30, 0x39, 0x19, 0x4D})), -1);
    auto a = ANTWORT();
    ASSERT_EQ(a.size(), 13u);
    EXPECT_EQ(a[6], 0x50);
    EXPECT_EQ(a[7], 0x26);
    // Who-Is from another node, unconfirmed notifications, network-layer messages
    EXPECT_EQ(CHK(WHOIS), -1);
    EXPECT_EQ(CHK(NT_FRAME({0x10, 0x02, 0x09, 0x00})), 2);
    EXPECT_EQ(CHK(NT_FRAME({0x10, 0x03, 0x09, 0x00})), 2);
    EXPECT_EQ(CHK(NT_RAW({0x81, 0x0B, 0x00, 0x07, 0x01, 0x80, 0x00})), -1);
    EXPECT_TRUE(ANTWORT(100).empty());
    EXPECT_TRUE(NT_EL_NEU().empty());
}

// Trace lines of the message check, as written with the switches -TA1, -TA4 and -TI.
TEST_F(BnMsgChk, TraceLines) {
    FILE *fp = std::tmpfile();
    TEST_T_fpout = fp;
    TEST_T_A1 = TEST_T_A4 = TEST_T_I = 1;
    CHK(NT_FRAME({0x20, 7, 0x0F}));
    CHK(NT_FRAME({0x00, 0x05, 0x21, 0x01, 0x09, 0x00}));
    CHK(NT_FRAME({0x00, 0x05, 0x22, 0x0F, 0x09, 0x00}));
    TEST_T_A1 = TEST_T_A4 = TEST_T_I = 0;
    TEST_T_fpout = nullptr;
    std::rewind(fp);
    std::string s;
    for (int c; (c = std::fgetc(fp)) != EOF;)
        s += (char)c;
    std::fclose(fp);
    for (const char *z :
         {")   QX04_BN_MSGCHK:  Nach Aufruf  Port : >127.0.0.2#47809<  L\x84nge : 9\n> 0x81  0x0A  "
          "0x00  0x09  0x01  0x00  0x20  0x07  0x0F ",
          ")   QX04_BN_MSGCHK:  Nach  ACK (7==7?"
          "?)   ier : 3",
          ")   QX04_BN_MSGCHK:  Vor  RETURN   ier : 3",
          ")   QX04_BN_MSGCHK:  Nach COV/EVENT (1)   Port: >127.0.0.2#47809<\n      ROUTE : >* NULL *<",
          ")   QX04_BN_MSGCHK:  Nach and. Service (15)   Port: >127.0.0.2#47809<"})
        EXPECT_NE(s.find(z), std::string::npos) << z;
}
