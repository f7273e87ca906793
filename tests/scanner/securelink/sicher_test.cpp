// The data link through a hub below the BACnet layer: BVLC-SC headers and their options read as the hub sends
// them, and messages taken through the real receive path into the frames the layer reads.
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "bsc/bsc.h"
#include "scanner/securelink/sc_sicher.h"

namespace {

using Bytes = std::vector<unsigned char>;

TEST(BscKopf, HeadersAndOptionsAsTheHubSendsThem) {
    const struct {
        const char *cFall;
        Bytes v;
        int iErg, iNutz;
        bool bVon, bAn, bUnverstanden;
    } aFall[] = {
        {"cut in the fixed part", {0x01, 0x00, 0x00}, BSC_KOPF_KURZ, 0, false, false, false},
        {"reserved control bits", {0x01, 0x10, 0x00, 0x01, 0xAA}, BSC_KOPF_BITS, 0, false, false, false},
        {"origin and destination",
         {0x01, 0x0C, 0, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0xAA},
         0,
         16,
         true,
         true,
         false},
        {"origin cut", {0x01, 0x08, 0, 1, 1, 2, 3, 4, 5}, BSC_KOPF_KURZ, 0, false, false, false},
        {"Secure Path data option", {0x01, 0x01, 0, 1, 0x01, 0xAA}, 0, 5, false, false, false},
        {"Secure Path as destination option",
         {0x01, 0x02, 0, 1, 0x01, 0xAA},
         BSC_KOPF_OPTION,
         0,
         false,
         false,
         false},
        {"Secure Path with data",
         {0x01, 0x01, 0, 1, 0x21, 0, 0, 0xAA},
         BSC_KOPF_OPTION,
         0,
         false,
         false,
         false},
        {"data option outside an NPDU", {0x0A, 0x01, 0, 1, 0x01}, BSC_KOPF_OPTION, 0, false, false, false},
        {"unknown option to be understood, then more",
         {0x01, 0x02, 0, 1, 0xC5, 0x3F, 0, 3, 0, 7, 1, 0xAA},
         0,
         11,
         false,
         false,
         true},
        {"unknown option that may be passed over", {0x01, 0x02, 0, 1, 0x05, 0xAA}, 0, 5, false, false, false},
        {"option data past the end",
         {0x01, 0x02, 0, 1, 0x3F, 0, 9, 0, 7, 1},
         BSC_KOPF_OPTION,
         0,
         false,
         false,
         false},
        {"proprietary option without data",
         {0x01, 0x02, 0, 1, 0x1F, 0xAA},
         BSC_KOPF_OPTION,
         0,
         false,
         false,
         false},
        {"proprietary option too short",
         {0x01, 0x02, 0, 1, 0x3F, 0, 2, 0, 7},
         BSC_KOPF_OPTION,
         0,
         false,
         false,
         false},
        {"more options announced, none follows",
         {0x01, 0x01, 0, 1, 0x81},
         BSC_KOPF_OPTION,
         0,
         false,
         false,
         false},
    };
    for (const auto &f : aFall) {
        BSC_KOPF k;
        EXPECT_EQ(BSC_KOPF_LESEN(f.v.data(), static_cast<int>(f.v.size()), &k), f.iErg) << f.cFall;
        if (f.iErg != 0) continue;
        EXPECT_EQ(k.iNutz, f.iNutz) << f.cFall;
        EXPECT_EQ(k.iNutz + k.iNutzLen, static_cast<int>(f.v.size())) << f.cFall;
        EXPECT_EQ(k.ucVon != nullptr, f.bVon) << f.cFall;
        EXPECT_EQ(k.ucAn != nullptr, f.bAn) << f.cFall;
        EXPECT_EQ(k.bUnverstanden, f.bUnverstanden) << f.cFall;
    }
    unsigned char uc[16];
    const unsigned char ucAn[BSC_VMAC_LEN] = {2, 0, 0, 0, 0, 3};
    EXPECT_EQ(BSC_KOPF_SCHREIBEN(uc, BSC_NPDU, 0x1234, ucAn), 10);
    EXPECT_EQ(Bytes(uc, uc + 10), (Bytes{0x01, 0x04, 0x12, 0x34, 2, 0, 0, 0, 0, 3}));
}

TEST(BscUri, HubsAsTheCommandLineNamesThem) {
    const struct {
        const char *cUri, *cHost, *cPfad;
        int iPort; // 0: refused
    } aFall[] = {{"wss://hub.site.example", "hub.site.example", "/", 443},
                 {"wss://192.168.1.20:4443/bsc/hub", "192.168.1.20", "/bsc/hub", 4443},
                 {"wss://[fd00::1]:8443/", "fd00::1", "/", 8443},
                 {"wss://[fd00::1]/x", "fd00::1", "/x", 443},
                 {"ws://hub:80/", "", "", 0},
                 {"wss://hub:0/", "", "", 0},
                 {"wss://hub:65536/", "", "", 0},
                 {"wss://hub:44x3/", "", "", 0},
                 {"wss://:443/", "", "", 0},
                 {"wss://user@hub/", "", "", 0}};
    for (const auto &f : aFall) {
        BSC_HUB h;
        ASSERT_EQ(BSC_URI(f.cUri, &h), f.iPort != 0) << f.cUri;
        if (f.iPort == 0) continue;
        EXPECT_STREQ(h.cHost, f.cHost) << f.cUri;
        EXPECT_STREQ(h.cPfad, f.cPfad) << f.cUri;
        EXPECT_EQ(h.iPort, f.iPort) << f.cUri;
    }
}

// A message from the hub into the layer's frame: the NPDU behind an Original-Unicast header, from the VMAC.
struct SicherTest : ::testing::Test {
    void SetUp() override {
        SC_SICHER_NEU();
        stBSC.iZustand = BSC_OFFEN;
        const unsigned char ucHub[BSC_VMAC_LEN] = {2, 0x48, 0x55, 0x42, 0, 0};
        std::memcpy(stBSC.ucHubVmac, ucHub, BSC_VMAC_LEN);
    }
    void TearDown() override {
        SC_SICHER_NEU();
    }
    static int LESEN(IP_PORT *stVon, unsigned char *ucBuf) {
        return SC_SICHER_EMPFANGEN(stVon, QX04_BUF_SIZE, ucBuf);
    }
};

TEST_F(SicherTest, NpdusBecomeFramesOfTheLayerFromTheirSender) {
    const Bytes vMitVon = {0x01, 0x08, 0, 7, 2, 0, 0, 0, 0, 3, 0x01, 0x00, 0x30, 0x05, 0x0C};
    BSC_NACHRICHT(vMitVon.data(), static_cast<int>(vMitVon.size()));
    const Bytes vOhneVon = {0x01, 0x04, 0, 8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x10, 0x08};
    BSC_NACHRICHT(vOhneVon.data(), static_cast<int>(vOhneVon.size()));
    // dropped: an option to be understood, a function other than NPDU, a broken header
    for (const Bytes &v : {Bytes{0x01, 0x0A, 0, 9, 2, 0, 0, 0, 0, 1, 0x45, 0x01, 0x00, 0x10, 0x08},
                           Bytes{0x0B, 0x00, 0, 10}, Bytes{0x01, 0x08, 0, 11, 2, 0}})
        BSC_NACHRICHT(v.data(), static_cast<int>(v.size()));
    unsigned char ucBuf[QX04_BUF_SIZE];
    IP_PORT stVon{};
    ASSERT_EQ(LESEN(&stVon, ucBuf), 9);
    EXPECT_EQ(Bytes(ucBuf, ucBuf + 9), (Bytes{0x81, 0x0A, 0x00, 0x09, 0x01, 0x00, 0x30, 0x05, 0x0C}));
    EXPECT_STREQ(SC_SICHER_ADR2A(&stVon), "02:00:00:00:00:03");
    EXPECT_EQ(QX04_BN_RXCHK(ucBuf, 9), 0);
    ASSERT_EQ(LESEN(&stVon, ucBuf), 8);
    EXPECT_STREQ(SC_SICHER_ADR2A(&stVon), "02:48:55:42:00:00") << "no origin: the hub itself";
    EXPECT_EQ(LESEN(&stVon, ucBuf), -1);
    // the text of a VMAC and back; anything else is no address of this link
    IP_PORT stAdr{};
    EXPECT_EQ(SC_SICHER_A2ADR("02:00:00:00:00:03", &stAdr), 0);
    EXPECT_EQ(stAdr.ulAdr, 0x02000000u);
    EXPECT_EQ(stAdr.usPort, 3);
    for (const char *c : {"192.168.1.22#47808", "02:00:00:00:00:0", "02:00:00:00:00:0G", "02-00-00-00-00-03"})
        EXPECT_EQ(SC_SICHER_A2ADR(c, &stAdr), -1) << c;
}

// A confirmed request stays open until its node answers its invoke id; a lost connection may have swallowed
// it.
TEST_F(SicherTest, AnAnswerSettlesTheRequestOfItsInvokeIdFromItsNode) {
    const IP_PORT stGeraet = {0x02000000, 3}, stAnderes = {0x02000000, 2};
    const Bytes vAnfrage = {0x81, 0x0A, 0x00, 0x0B, 0x01, 0x04, 0x00, 0x05, 0x07, 0x0C, 0x0C};
    SC_SICHER_SENDEN(&stGeraet, static_cast<int>(vAnfrage.size()), vAnfrage.data());
    const Bytes vIam = {0x81, 0x0B, 0x00, 0x08, 0x01, 0x00, 0x10, 0x08};
    SC_SICHER_SENDEN(&stGeraet, static_cast<int>(vIam.size()), vIam.data()); // unconfirmed: not kept
    int n = 0;
    for (const SC_OFFEN_Struct &o : astSC_Offen)
        n += o.bBelegt && o.ucInvoke == 7;
    EXPECT_EQ(n, 1);
    const Bytes vAck = {0x81, 0x0A, 0x00, 0x09, 0x01, 0x00, 0x30, 0x07, 0x0C};
    SC_SICHER_ERLEDIGT(&stAnderes, vAck.data()); // another node's answer settles nothing
    SC_SICHER_ERLEDIGT(&stGeraet, vIam.data());
    EXPECT_TRUE(astSC_Offen[0].bBelegt);
    SC_SICHER_ERLEDIGT(&stGeraet, vAck.data());
    EXPECT_FALSE(astSC_Offen[0].bBelegt);
}

} // namespace
