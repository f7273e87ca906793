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
