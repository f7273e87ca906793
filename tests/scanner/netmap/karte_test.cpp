// The site's map from a scripted sequence of facts, no network: a site with every classic fault once, the
// conflicts each named once in the report's JSON, on the console and in the picture; the rules that need
// the routers' word stay quiet without the discovery; the -G file's name tried before and written at the end.
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include "scanner/netmap/sc_karte.h"

namespace {
constexpr IP_PORT R1{0xC0A8011E, 47808}, R2{0xC0A8011F, 47808}, R3{0xC0A80120, 47808};
constexpr IP_PORT A{0xC0A80128, 47808}, B{0xC6336414, 47808}, D{0xC0A80114, 47808};

void ROUTER(int iArt, IP_PORT st, std::initializer_list<std::uint16_t> l) {
    QX04_NL_MSG m{};
    for (std::uint16_t us : l)
        iArt == SC_FAKT_ROUTER ? (void)(m.ausNetz[m.iAnzNetze++] = us)
                               : (void)(m.astPort[m.iAnzPorts++] = {us, 1, 0, {}});
    SC_FAKT_Struct f;
    f.iArt = iArt, f.stVon = st, f.pNl = &m;
    SC_KARTE_MELDEN(&f);
}
void GERAET(std::uint32_t ul, std::uint16_t usNetz, IP_PORT st, int iAusgang = 1) {
    SC_FAKT_Struct f;
    f.iArt = SC_FAKT_GERAET, f.ulInst = ul, f.usNetz = usNetz, f.stVon = st, f.ucMacLen = usNetz != 0;
    f.aucMac[0] = static_cast<unsigned char>(ul);
    SC_KARTE_MELDEN(&f);
    f.iArt = SC_FAKT_GESCANNT, f.iWert = iAusgang;
    SC_KARTE_MELDEN(&f);
}
void BDT(IP_PORT st, std::initializer_list<IP_PORT> l) {
    QX04_BVLL_TAB t{QX04_BVLC_READ_BDT_ACK, -1, 0, {}, false};
    for (const IP_PORT &e : l)
        t.ast[t.iAnz++] = {e, 0xFFFFFFFF, 0, 0};
    SC_FAKT_Struct f;
    f.iArt = SC_FAKT_BVLL, f.stVon = st, f.pTab = &t;
    SC_KARTE_MELDEN(&f);
}

// The site: own network 1; R1 routes 10 and 11, R2 claims 11 too and routes 12 and 13, R3 routes nowhere;
// a device on 13 answers through R1, one on 14 through R2 (no router claims 14), instance 2001 is on 10 and
// on 12; BBMD B's table lacks A, which A lists.
void SITE(bool bEntdeckt) {
    SC_KARTE_NEU();
    ASSERT_TRUE(SC_KARTE_OPTION("-N"));
    SC_FAKT_Struct f;
    f.iArt = SC_FAKT_NETZNUMMER, f.stVon = R1, f.usNetz = 1, f.iWert = 1;
    SC_KARTE_MELDEN(&f);
    ROUTER(SC_FAKT_ROUTER, R1, {10, 11});
    ROUTER(SC_FAKT_TABELLE, R1, {1, 10, 11});
    ROUTER(SC_FAKT_ROUTER, R2, {11, 12, 13});
    ROUTER(SC_FAKT_ROUTER, R3, {});
    ROUTER(SC_FAKT_TABELLE, R3, {1});
    for (auto [ul, us, st] : {std::tuple{1001u, 0, D},
                              {2001u, 10, R1},
                              {2002u, 10, R1},
                              {3001u, 12, R2},
                              {3002u, 13, R2},
                              {3003u, 13, R1},
                              {4001u, 14, R2},
                              {2001u, 12, R2}})
        GERAET(ul, static_cast<std::uint16_t>(us), st, ul != 2002);
    BDT(A, {A, B});
    BDT(B, {B});
    f.iArt = SC_FAKT_BBMD, f.stVon = A, f.iWert = 1;
    SC_KARTE_MELDEN(&f);
    f.iArt = bEntdeckt ? SC_FAKT_ENTDECKT : 0;
    SC_KARTE_MELDEN(&f);
}
} // namespace

TEST(Karte, EveryConflictOnce) {
    SITE(true);
    const auto j = nlohmann::json::parse(SC_KARTE_JSON());
    std::vector<std::string> vArt;
    for (const auto &k : j["conflicts"])
        vArt.push_back(k["type"].get<std::string>() + ":" + k.value("network", nlohmann::json(0)).dump() +
                       ":" + k.value("instance", nlohmann::json(0)).dump());
    const std::vector<std::string> vSoll = {"network-claimed-twice:11:0", "network-via-two-routers:13:0",
                                            "network-unclaimed:14:0",     "router-routes-nowhere:0:0",
                                            "bdt-misses-subnet:0:0",      "instance-twice:0:2001"};
    EXPECT_EQ(vArt, vSoll);
    EXPECT_EQ(j["conflicts"][3]["router"], "192.168.1.32#47808");
    EXPECT_EQ(j["conflicts"][4]["missing"][0]["entry"], "192.168.1.40#47808");
    EXPECT_EQ(j["local_network"]["number"], 1);
    EXPECT_EQ(j["devices"], 7);
    // Network 10 through R1, port 1 of its table, one-byte MACs: MS/TP; 2002 not read whole.
    const auto &n10 = j["networks"][0];
    EXPECT_EQ(n10["number"], 10);
    EXPECT_EQ(n10["port_id"], 1);
    EXPECT_EQ(n10["link"], "mstp");
    EXPECT_EQ(n10["incomplete"], nlohmann::json({2002}));
    std::uint16_t aus[8];
    IP_PORT ast[8];
    ASSERT_EQ(SC_KARTE_NETZE(aus, ast, 8), 6); // network 11 through both routers that claim it
    EXPECT_EQ(ast[2].ulAdr, R2.ulAdr);
    EXPECT_EQ(aus[5], 14); // a network known only from its devices is asked through their router
    EXPECT_EQ(ast[5].ulAdr, R2.ulAdr);
    const std::string s = SC_KARTE_KONSOLE();
    EXPECT_NE(s.find("3 Router, 5 Netze (10 11 12 13 14), 2 BBMD, 7 Devices, 6 Konflikte"), std::string::npos)
        << s;
    EXPECT_EQ(std::count(s.begin(), s.end(), '\n'), 2 + 6);
    const std::string d = SC_KARTE_DOT();
    for (const char *c :
         {"n11 [shape=ellipse label=\"Netz 11\\n0 Devices\\nvon 2 Routern beansprucht\" color=red",
          "unvollst\xC3\xA4ndig: 2002", "r0 -- n11 [label=\"Port 1\"];\n  r1 -- n11;",
          "r0 -- n13 [style=dashed color=red", "r1 -- n14 [style=dashed color=red",
          "BDT ohne 192.168.1.40#47808\" color=red"})
        EXPECT_NE(d.find(c), std::string::npos) << c << "\n" << d;
}

TEST(Karte, ClaimsNeedTheDiscovery) {
    SITE(false);
    const auto j = nlohmann::json::parse(SC_KARTE_JSON());
    EXPECT_EQ(j["conflicts"].size(), 5u); // no "network-unclaimed": nobody was asked
    EXPECT_FALSE(j["discovery"]);
}

TEST(Karte, PictureFile) {
    SC_KARTE_NEU();
    EXPECT_FALSE(SC_KARTE_OPTION("-X"));
    EXPECT_EQ(SC_KARTE_PRUEFEN(0, nullptr), 0); // no map without -N or -G
    EXPECT_TRUE(SC_KARTE_OPTION("-Gno/such/dir/map.dot"));
    EXPECT_EQ(SC_KARTE_PRUEFEN(0, nullptr), -18);
    EXPECT_EQ(SC_KARTE_ENDE(), -25);
    SC_KARTE_NEU();
    ASSERT_TRUE(SC_KARTE_OPTION("-Gkarte_test.dot"));
    EXPECT_EQ(SC_KARTE_PRUEFEN(0, nullptr), 1);
    SC_EREIGNIS_Struct e{};
    e.iArt = SC_EV_SCAN_ENDE;
    EXPECT_EQ(SC_KARTE_EREIGNIS(&e), 0);
    std::ifstream f("karte_test.dot");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(f), {}), SC_KARTE_DOT());
    EXPECT_FALSE(std::ifstream("karte_test.dot.tmp").good());
    std::remove("karte_test.dot");
}
