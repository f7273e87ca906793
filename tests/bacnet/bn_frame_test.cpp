// Positions of NPDU, APDU and first tag in received frames; byte order, object identifiers, invoke ids.
#include <gtest/gtest.h>
#include "bacnet/bn.h"
#include "bn_test.h"

TEST(BnPos, NpduNeedsBytesBeyondTheBvlcHeader) {
    EXPECT_EQ(QX04_BN_POSNPDU(NT_RAW({0x81, 0x0A, 0, 0}).data()), -1);
    EXPECT_EQ(QX04_BN_POSNPDU(NT_RAW({0x81, 0x0A, 0, 0, 0x01}).data()), 4);
    EXPECT_EQ(QX04_BN_POSNPDU(NT_RAW({0x81, 0x04, 0, 0, 1, 2, 3, 4, 5, 6}).data()), -1);
    EXPECT_EQ(QX04_BN_POSNPDU(NT_RAW({0x81, 0x04, 0, 0, 1, 2, 3, 4, 5, 6, 0x01}).data()), 10);
    // byte 0 is the caller's business
    EXPECT_EQ(QX04_BN_POSNPDU(NT_RAW({0x82, 0x0B, 0, 0, 0x01}).data()), 4);
}

TEST(BnPos, ApduFollowsDestinationSourceAndHopCount) {
    EXPECT_EQ(QX04_BN_POSAPDU(NT_FRAME({0x10, 0x08}).data()), 6);
    // network-layer message: NPDU present, no APDU
    auto nw = NT_FRAME({0x00, 0x00}, 0x80);
    EXPECT_EQ(QX04_BN_POSNPDU(nw.data()), 4);
    EXPECT_EQ(QX04_BN_POSAPDU(nw.data()), -1);
    // control 0x28, DLEN 0, SLEN 6: 2+3+0+3+6+1 = 15 after the NPDU start
    auto rt = NT_FRAME({0xFF, 0xFF, 0x00, 0x00, 0x05, 0x06, 1, 2, 3, 4, 5, 6, 0xFF, 0x10, 0x08}, 0x28);
    EXPECT_EQ(QX04_BN_POSAPDU(rt.data()), 4 + 15);
    // the same behind a Forwarded-NPDU header
    NT_BYTES fw{0x81, 0x04, 0, 0, 10, 0, 0, 5, 0xBA, 0xC0};
    fw.insert(fw.end(), rt.begin() + 4, rt.end());
    fw[3] = (unsigned char)fw.size();
    EXPECT_EQ(QX04_BN_POSAPDU(fw.data()), 10 + 15);
}

TEST(BnPos, ApduOfOneByteOrHeaderCutOffGivesNone) {
    EXPECT_EQ(QX04_BN_POSAPDU(NT_FRAME({0x20}).data()), -1);
    EXPECT_EQ(QX04_BN_POSAPDU(NT_FRAME({0x20, 0x01}).data()), 6);
    // the frame ends inside the header: no byte beyond it is read (sanitizer builds check this)
    EXPECT_EQ(QX04_BN_POSAPDU(NT_RAW({0x81, 0x0A, 0, 0, 0x01}).data()), -1);
    EXPECT_EQ(QX04_BN_POSAPDU(NT_FRAME({0x00, 0x05}, 0x20).data()), -1);
    EXPECT_EQ(QX04_BN_POSAPDU(NT_FRAME({0x00, 0x05, 0x00, 0xFF}, 0x28).data()), -1);
    EXPECT_EQ(QX04_BN_POSAPDU(NT_FRAME({0x00, 0x05, 0xFF, 1, 2, 3}, 0x20).data()), -1);
}

TEST(BnPos, FirstTagByPduType) {
    EXPECT_EQ(QX04_BN_POSTAG(NT_FRAME({0x00, 0x05, 0x01, 0x0C, 0x0C}).data()), 10);
    EXPECT_EQ(QX04_BN_POSTAG(NT_FRAME({0x08, 0x05, 0x01, 0x00, 0x01, 0x0C, 0x0C}).data()), 12);
    EXPECT_EQ(QX04_BN_POSTAG(NT_FRAME({0x10, 0x00, 0xC4}).data()), 8);
    EXPECT_EQ(QX04_BN_POSTAG(NT_FRAME({0x30, 0x01, 0x0C, 0x0C}).data()), 9);
    EXPECT_EQ(QX04_BN_POSTAG(NT_FRAME({0x38, 0x01, 0x00, 0x01, 0x0C, 0x0C}).data()), 11);
    EXPECT_EQ(QX04_BN_POSTAG(NT_FRAME({0x50, 0x01, 0x0C, 0x91}).data()), 9);
    // the segment flag lengthens no other header
    EXPECT_EQ(QX04_BN_POSTAG(NT_FRAME({0x58, 0x01, 0x0C, 0x91}).data()), 9);
    for (int typ : {0x20, 0x40, 0x60, 0x70, 0x80, 0xF0})
        EXPECT_EQ(QX04_BN_POSTAG(NT_FRAME({typ, 0x01, 0x0C, 0x91, 0x01}).data()), -1) << typ;
    // a header with nothing behind it has no first tag
    EXPECT_EQ(QX04_BN_POSTAG(NT_FRAME({0x30, 0x01, 0x0C}).data()), -1);
    EXPECT_EQ(QX04_BN_POSTAG(NT_FRAME({0x00, 0x05, 0x01, 0x0C}).data()), -1);
}

TEST(BnConv, WireOrderAndObjectIdentifiers) {
    unsigned char b[4];
    QX04_BN_S2BNS(0xBAC0, b);
    EXPECT_EQ(b[0], 0xBA);
    EXPECT_EQ(b[1], 0xC0);
    EXPECT_EQ(QX04_BN_BNS2S(b), 0xBAC0);
    QX04_BN_L2BNL(0x02000005, b);
    EXPECT_EQ(b[0], 0x02);
    EXPECT_EQ(b[3], 0x05);
    EXPECT_EQ(QX04_BN_BNL2L(b), 0x02000005u);
    EXPECT_EQ(QX04_BN_OBJTYPE(0x02000005), 8u);
    EXPECT_EQ(QX04_BN_OBJINSTANCE(0x02000005), 5u);
    EXPECT_EQ(QX04_BN_OBJTYPE(0xFFFFFFFF), 1023u);
    EXPECT_EQ(QX04_BN_OBJINSTANCE(0xFFFFFFFF), 4194303u);
}

TEST(BnConv, InvokeIdsRunFromOneAndWrapAfter255) {
    ucQX04_InvokeId = 0;
    for (int i = 1; i <= 255; i++)
        ASSERT_EQ(QX04_BN_NXINVOKE(), i);
    EXPECT_EQ(QX04_BN_NXINVOKE(), 0);
    EXPECT_EQ(ucQX04_InvokeId, 0);
}

// An answer counts for a request only with its invoke id and service, from the device asked (its IP address
// when reached directly, its network and MAC behind a router), and for a ReadProperty-ACK with the object,
// property and array index asked for. 2 = it answers, 1 = another answer of that device, 0 = none of it.
TEST(BnPasst, AnswerMatchesOnlyItsRequest) {
    // AI 17, object-name, invoke 7, to 10.0.0.20; device 5001's object list element 3, invoke 7, to the
    // router 10.0.0.22 for network 5, MAC 0x21.
    const NT_BYTES direkt =
        NT_RAW({0x81, 0x0A, 0, 0, 0x01, 0x04, 0x00, 0x05, 7, 0x0C, 0x0C, 0, 0, 0, 0x11, 0x19, 77});
    const NT_BYTES routed =
        NT_RAW({0x81, 0x04, 0,    0,    0x7F, 0,    0,    1,    0xBA, 0xC0, 0x01, 0x24, 0,  5,    1,
                0x21, 0xFF, 0x00, 0x05, 7,    0x0C, 0x0C, 0x02, 0x00, 0x13, 0x89, 0x19, 76, 0x29, 3});
    const IP_PORT stGeraet{0x0A000014, 47808}, stRouter{0x0A000016, 47808};
    auto ACK = [](std::initializer_list<int> objprop) {
        return NT_ACK(0x0C, objprop, {0x3E, 0x75, 3, 0, 0x41, 0x42, 0x3F});
    };
    auto SNET = [](NT_BYTES f, int iNet, int iMac) { // the same APDU from behind a router
        f.insert(f.begin() + 6, {0x00, (unsigned char)iNet, 0x01, (unsigned char)iMac});
        f[5] = 0x08;
        f[3] = (unsigned char)f.size();
        return f;
    };
    const NT_BYTES ackAI = ACK({0x0C, 0, 0, 0, 0x11, 0x19, 77}),
                   ackListe = ACK({0x0C, 0x02, 0x00, 0x13, 0x89, 0x19, 76, 0x29, 3});
    struct Fall {
        const char *cWas;
        NT_BYTES antwort;
        IP_PORT stVon;
        const NT_BYTES *anfrage;
        int iErwartet;
    } const aFall[] = {
        {"ack", ackAI, stGeraet, &direkt, 2},
        {"ack from another port", ackAI, {0x0A000014, 50000}, &direkt, 2},
        {"ack from another node", ackAI, {0x0A000015, 47808}, &direkt, 0},
        {"ack from a device behind a router at that node", SNET(ackAI, 5, 0x21), stGeraet, &direkt, 0},
        {"ack relayed by a BBMD", NT_FWD(ackAI, stGeraet.ulAdr), {0x0A000063, 47808}, &direkt, 2},
        {"ack a BBMD relays from another node", NT_FWD(ackAI, 0x0A000015), stGeraet, &direkt, 0},
        {"other invoke id", NT_FRAME({0x50, 8, 0x0C, 0x91, 0x02, 0x91, 0x20}), stGeraet, &direkt, 1},
        {"other object", ACK({0x0C, 0, 0, 0, 0x12, 0x19, 77}), stGeraet, &direkt, 1},
        {"other property", ACK({0x0C, 0, 0, 0, 0x11, 0x19, 28}), stGeraet, &direkt, 1},
        {"an index not asked for", ACK({0x0C, 0, 0, 0, 0x11, 0x19, 77, 0x29, 1}), stGeraet, &direkt, 1},
        {"segmented ack", NT_FRAME({0x38, 7, 0, 1, 0x0C}), stGeraet, &direkt, QX04_PASST_SEGMENT},
        {"simple-ack", NT_FRAME({0x20, 7, 0x0C}), stGeraet, &direkt, 2},
        {"error", NT_FRAME({0x50, 7, 0x0C, 0x91, 0x02, 0x91, 0x20}), stGeraet, &direkt, 2},
        {"other service", NT_FRAME({0x50, 7, 0x0F, 0x91, 0x02, 0x91, 0x20}), stGeraet, &direkt, 1},
        {"reject", NT_FRAME({0x60, 7, 0x09}), stGeraet, &direkt, 2},
        {"abort", NT_FRAME({0x70, 7, 0x04}), stGeraet, &direkt, 2},
        {"confirmed request", NT_FRAME({0x00, 0x05, 7, 0x0C}), stGeraet, &direkt, 0},
        {"routed ack", SNET(ackListe, 5, 0x21), stRouter, &routed, 2},
        {"routed ack through another router", SNET(ackListe, 5, 0x21), stGeraet, &routed, 2},
        {"routed ack from another MAC", SNET(ackListe, 5, 0x22), stRouter, &routed, 0},
        {"routed ack from another network", SNET(ackListe, 6, 0x21), stRouter, &routed, 0},
        {"routed ack from the router itself", ackListe, stRouter, &routed, 0},
        {"routed ack for another index",
         SNET(ACK({0x0C, 0x02, 0x00, 0x13, 0x89, 0x19, 76, 0x29, 4}), 5, 0x21), stRouter, &routed, 1},
        {"routed ack without the index", SNET(ACK({0x0C, 0x02, 0x00, 0x13, 0x89, 0x19, 76}), 5, 0x21),
         stRouter, &routed, 1},
    };
    for (const Fall &f : aFall) {
        const IP_PORT *stZiel = f.anfrage == &routed ? &stRouter : &stGeraet;
        int iWert = -1;
        EXPECT_EQ(
            QX04_BN_PASST(f.antwort.data(), &f.stVon, f.anfrage->data(), stZiel, nullptr, nullptr, &iWert),
            f.iErwartet)
            << f.cWas;
        // A matched acknowledgement hands on where its value lies, as the value search finds it.
        const bool bAck = f.iErwartet == 2 && f.antwort[QX04_BN_POSAPDU(f.antwort.data())] == 0x30;
        EXPECT_EQ(iWert, bAck ? QX04_BN_POSWERT(f.antwort.data(), 0xFFFF) : 0) << f.cWas;
    }
}
