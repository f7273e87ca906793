// Network-layer requests byte for byte, and the answers of routers and BBMDs decoded from frames of exactly
// their bytes (AddressSanitizer sees any read beyond), cut off or malformed ones refused.
#include <functional>
#include "bacnet/bn_netz.h"
#include "bn_test.h"

TEST(BnNetz, Requests) {
    const unsigned char ucDnet[] = {0x00, 0x0A}, ucNull[] = {0x00};
    using BAU = std::function<int(unsigned char *, int)>;
    const std::pair<BAU, NT_BYTES> aFall[] = {
        {[](auto *b, int n) { return QX04_BN_NL_ANFRAGE(b, n, true, 0, QX04_NL_WHAT_IS_NETNR, nullptr, 0); },
         {0x81, 0x0B, 0, 7, 1, 0x80, 0x12}},
        {[&](auto *b, int n) {
             return QX04_BN_NL_ANFRAGE(b, n, true, 0xFFFF, QX04_NL_WHO_IS_ROUTER, ucDnet, 2);
         },
         {0x81, 0x0B, 0, 13, 1, 0xA0, 0xFF, 0xFF, 0, 0xFF, 0x00, 0x00, 0x0A}},
        {[&](auto *b, int n) { return QX04_BN_NL_ANFRAGE(b, n, false, 0, QX04_NL_INIT_RT, ucNull, 1); },
         {0x81, 0x0A, 0, 8, 1, 0x80, 0x06, 0x00}},
        {[](auto *b, int n) { return QX04_BN_WHOIS_NETZ(b, n, false, 10, 2000, 2099); },
         {0x81, 0x0A, 0, 18, 1, 0x20, 0, 10, 0, 0xFF, 0x10, 0x08, 0x0A, 0x07, 0xD0, 0x1A, 0x08, 0x33}},
        {[](auto *b, int n) { return QX04_BN_WHOIS_NETZ(b, n, true, 0, 1, 0); },
         {0x81, 0x0B, 0, 8, 1, 0x00, 0x10, 0x08}},
    };
    for (const auto &[bau, v] : aFall) {
        unsigned char b[32];
        const int n = bau(b, sizeof b);
        EXPECT_EQ(NT_BYTES(b, b + std::max(n, 0)), v);
        EXPECT_EQ(bau(b, 10), -1); // no room: nothing claimed
    }
}

TEST(BnNetz, RouterAnswers) {
    struct {
        NT_BYTES f;
        int iErg, iTyp, iNetze, iPorts, iWert;
        std::uint16_t usSnet;
    } const aFall[] = {
        {NT_FRAME({0x01, 0x00, 0x0A, 0x00, 0x0B}, 0x80), 0, QX04_NL_I_AM_ROUTER, 2, 0, 0, 0},
        {NT_FRAME({0x01, 0x00, 0x0A, 0x00}, 0x80), -1, 0, 0, 0, 0, 0},               // half a network
        {NT_FRAME({0x13, 0x00, 0x01, 0x01}, 0x80), 0, QX04_NL_NETNR_IS, 1, 0, 1, 0}, // configured number 1
        {NT_FRAME({0x13, 0x00, 0x01}, 0x80), -1, 0, 0, 0, 0, 0},
        {NT_FRAME({0x03, 0x01, 0x00, 0x0C}, 0x80), 0, QX04_NL_REJECT, 1, 0, 1, 0},
        // table of two rows, the second with 2 bytes of port info
        {NT_FRAME({0x07, 0x02, 0x00, 0x0A, 0x01, 0x00, 0x00, 0x0B, 0x02, 0x02, 0xAB, 0xCD}, 0x80), 0,
         QX04_NL_INIT_RT_ACK, 0, 2, 0, 0},
        {NT_FRAME({0x07, 0x02, 0x00, 0x0A, 0x01, 0x00, 0x00, 0x0B, 0x02, 0x03, 0xAB, 0xCD}, 0x80), -1, 0, 0,
         0, 0, 0},
        {NT_FRAME({0x07}, 0x80), 0, QX04_NL_INIT_RT_ACK, 0, 0, 0, 0}, // the Ack of a change
        // from behind a router (SNET 5, MAC 0x21), and through a BBMD
        {NT_FRAME({0x00, 0x05, 0x01, 0x21, 0x01, 0x00, 0x0C}, 0x88), 0, QX04_NL_I_AM_ROUTER, 1, 0, 0, 5},
        {NT_FWD(NT_FRAME({0x01, 0x00, 0x0D}, 0x80), 0xC0A80128), 0, QX04_NL_I_AM_ROUTER, 1, 0, 0, 0},
        {NT_FRAME({0x00, 0x05, 0x09, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0x01}, 0x88), -1, 0, 0, 0, 0, 0}, // SLEN 9
        {NT_FRAME({0x10, 0x08}, 0x00), -1, 0, 0, 0, 0, 0},                                        // an APDU
        {NT_FRAME({0xFF, 0xFF, 0x00, 0x80}, 0xA0), -1, 0, 0, 0, 0, 0}, // DNET, no type
        {NT_FRAME({0x85, 0x01, 0x04}, 0x80), 0, 0x85, 0, 0, 0, 0},     // a vendor's message
    };
    for (const auto &c : aFall) {
        QX04_NL_MSG m;
        ASSERT_EQ(QX04_BN_NL_LESEN(c.f.data(), static_cast<int>(c.f.size()), &m), c.iErg) << c.f.size();
        if (c.iErg < 0) continue;
        EXPECT_EQ(m.ucTyp, c.iTyp);
        EXPECT_EQ(m.iAnzNetze, c.iNetze);
        EXPECT_EQ(m.iAnzPorts, c.iPorts);
        EXPECT_EQ(m.ucWert, c.iWert);
        EXPECT_EQ(m.usSnet, c.usSnet);
    }
    // Rows as given; a frame shorter than its BVLC length is read only as far as it arrived.
    const NT_BYTES f = aFall[5].f;
    QX04_NL_MSG m;
    ASSERT_EQ(QX04_BN_NL_LESEN(f.data(), static_cast<int>(f.size()), &m), 0);
    EXPECT_EQ(m.astPort[1].usNetz, 11);
    EXPECT_EQ(m.astPort[1].ucPortId, 2);
    EXPECT_EQ(m.astPort[1].aucInfo[1], 0xCD);
    EXPECT_EQ(QX04_BN_NL_LESEN(f.data(), static_cast<int>(f.size()) - 1, &m), -1);
}

TEST(BnNetz, BbmdTables) {
    const NT_BYTES bdt = NT_RAW({0x81, 0x03, 0,   0,  192, 168, 1,    40,   0xBA, 0xC0, 255, 255,
                                 255,  255,  198, 51, 100, 10,  0xBA, 0xC0, 255,  255,  255, 0});
    const NT_BYTES fdt = NT_RAW({0x81, 0x07, 0, 0, 10, 0, 0, 5, 0xBA, 0xC1, 0, 60, 0, 75});
    QX04_BVLL_TAB t;
    ASSERT_EQ(QX04_BN_BVLL_TABELLE(bdt.data(), static_cast<int>(bdt.size()), &t), 0);
    EXPECT_EQ(t.iAnz, 2);
    EXPECT_EQ(t.ast[1].stAdr.ulAdr, 0xC633640Au);
    EXPECT_EQ(t.ast[1].ulMaske, 0xFFFFFF00u);
    ASSERT_EQ(QX04_BN_BVLL_TABELLE(fdt.data(), static_cast<int>(fdt.size()), &t), 0);
    EXPECT_EQ(t.ucFunk, QX04_BVLC_READ_FDT_ACK);
    EXPECT_EQ(t.ast[0].stAdr.usPort, 47809);
    EXPECT_EQ(t.ast[0].usTtl, 60);
    EXPECT_EQ(t.ast[0].usRest, 75);
    const NT_BYTES nak = NT_RAW({0x81, 0x00, 0, 0, 0x00, 0x20});
    ASSERT_EQ(QX04_BN_BVLL_TABELLE(nak.data(), 6, &t), 0);
    EXPECT_EQ(t.iNak, 0x20);
    EXPECT_EQ(t.ucFunk, QX04_BVLC_READ_BDT_ACK);
    // Not whole entries, a frame cut short, another result, another function.
    for (const NT_BYTES &f : {NT_RAW({0x81, 0x03, 0, 0, 1, 2, 3, 4, 5}),
                              NT_RAW({0x81, 0x00, 0, 0, 0x00, 0x30}), NT_RAW({0x81, 0x0A, 0, 0, 1, 0})})
        EXPECT_EQ(QX04_BN_BVLL_TABELLE(f.data(), static_cast<int>(f.size()), &t), -1);
    EXPECT_EQ(QX04_BN_BVLL_TABELLE(bdt.data(), static_cast<int>(bdt.size()) - 10, &t), 0);
    EXPECT_EQ(t.iAnz, 1);
}
