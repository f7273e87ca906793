// The map as the "network_map" object of the -J report: the own network, every network, router and BBMD with
// what is known of it, and the conflicts, each once.
#include <cstdio>
#include <nlohmann/json.hpp>
#include "scanner/netmap/sc_karte_daten.h"

using json = nlohmann::ordered_json;

namespace {

json ADRESSEN(const std::vector<IP_PORT> &v) {
    json j = json::array();
    for (const IP_PORT &st : v)
        j.push_back(SC_KARTE_ADR(st));
    return j;
}

std::string MASKE(std::uint32_t ul) {
    char c[16];
    std::snprintf(c, sizeof c, "%u.%u.%u.%u", ul >> 24, ul >> 16 & 0xFF, ul >> 8 & 0xFF, ul & 0xFF);
    return c;
}

// The discovery's Who-Is into the network, through every router it was asked through.
std::uint32_t WHOIS(std::uint16_t usNetz) {
    std::uint32_t ul = 0;
    for (const SC_KSUCHE_Struct &s : stSC_Karte.vSuche)
        ul += s.usNetz == usNetz ? s.ulWhoIs : 0;
    return ul;
}

json NETZE(const std::vector<SC_KNETZ_Struct> &v) {
    json j = json::array();
    for (const SC_KNETZ_Struct &n : v)
        j.push_back({{"number", n.usNetz},
                     {"routers", ADRESSEN(n.vRouter)},
                     {"reached_through", ADRESSEN(n.vUeber)},
                     {"port_id", n.iPortId >= 0 ? json(n.iPortId) : json(nullptr)},
                     {"port_info", n.sInfo.empty() ? json(nullptr) : json(n.sInfo)},
                     {"link", n.cArt != nullptr ? json(n.cArt) : json(nullptr)},
                     {"devices", n.vGeraete.size()},
                     {"instances", n.vGeraete},
                     {"incomplete", n.vUnvollst},
                     {"who_is", WHOIS(n.usNetz)}});
    return j;
}

json ROUTER() {
    json j = json::array();
    for (const SC_KROUTER_Struct &r : stSC_Karte.vRouter) {
        json jPorts = json::array();
        for (const QX04_NL_PORT &p : r.vPorts)
            jPorts.push_back(
                {{"network", p.usNetz}, {"port_id", p.ucPortId}, {"port_info_length", p.ucInfoLen}});
        j.push_back({{"address", SC_KARTE_ADR(r.stAdr)},
                     {"answered", r.bAntwort},
                     {"networks", r.vNetze},
                     {"routing_table", r.bTabelle ? jPorts : json(nullptr)},
                     {"table_asked", r.bGefragt}});
    }
    return j;
}

json TABELLE(bool bDa, int iNak, const std::vector<QX04_BVLL_EINTRAG> &v, bool bBdt) {
    if (!bDa) return iNak >= 0 ? json({{"refused", iNak}}) : json(nullptr);
    json j = json::array();
    for (const QX04_BVLL_EINTRAG &e : v)
        j.push_back(
            bBdt ? json({{"address", SC_KARTE_ADR(e.stAdr)}, {"mask", MASKE(e.ulMaske)}})
                 : json({{"address", SC_KARTE_ADR(e.stAdr)}, {"ttl", e.usTtl}, {"remaining", e.usRest}}));
    return j;
}

json BBMDS() {
    json j = json::array();
    for (const SC_KBBMD_Struct &b : stSC_Karte.vBbmd)
        j.push_back({{"address", SC_KARTE_ADR(b.stAdr)},
                     {"forwards", b.bLeitet},
                     {"bdt", TABELLE(b.bBdt, b.iBdtNak, b.vBdt, true)},
                     {"fdt", TABELLE(b.bFdt, b.iFdtNak, b.vFdt, false)}});
    return j;
}

json KONFLIKT(const SC_KONFLIKT_Struct &k) {
    json j = {{"type", SC_KONFLIKT_NAME[k.iArt]}};
    switch (k.iArt) {
    case SC_KONFLIKT_ZWEI_ROUTER:
    case SC_KONFLIKT_ZWEI_WEGE:
        j["network"] = k.usNetz;
        j["routers"] = ADRESSEN(k.vWer);
        break;
    case SC_KONFLIKT_HERRENLOS:
        j["network"] = k.usNetz;
        j["instances"] = k.vInst;
        j["reached_through"] = ADRESSEN(k.vWer);
        break;
    case SC_KONFLIKT_NIRGENDS:
        j["router"] = SC_KARTE_ADR(k.vWer[0]);
        break;
    case SC_KONFLIKT_BDT: {
        j["bbmd"] = SC_KARTE_ADR(k.vWer[0]);
        json jF = json::array();
        for (std::size_t i = 0; i < k.vFehlt.size(); i++)
            jF.push_back({{"entry", SC_KARTE_ADR(k.vFehlt[i])}, {"listed_by", SC_KARTE_ADR(k.vWer[i + 1])}});
        j["missing"] = jF;
        break;
    }
    default:
        j["instance"] = k.ulInst;
        j["networks"] = k.vNetze;
        j["addresses"] = ADRESSEN(k.vWer);
    }
    return j;
}

} // namespace

std::string SC_KARTE_JSON() {
    const SC_KARTE_Struct &k = stSC_Karte;
    std::size_t uLokal = 0;
    for (const SC_KGERAET_Struct &g : k.vGeraet)
        uLokal += g.usNetz == 0;
    json jKonflikte = json::array();
    for (const SC_KONFLIKT_Struct &x : SC_KARTE_KONFLIKTE())
        jKonflikte.push_back(KONFLIKT(x));
    const json j = {{"discovery", k.bEntdeckt},
                    {"local_network",
                     {{"number", k.lLokal >= 0 ? json(k.lLokal) : json(nullptr)},
                      {"configured", k.lLokal >= 0 ? json(k.bLokalKonf) : json(nullptr)},
                      {"from", k.lLokal >= 0 ? json(SC_KARTE_ADR(k.stLokalVon)) : json(nullptr)},
                      {"devices", uLokal}}},
                    {"networks", NETZE(SC_KARTE_NETZLISTE())},
                    {"routers", ROUTER()},
                    {"bbmds", BBMDS()},
                    {"devices", SC_KARTE_GERAETE()},
                    {"conflicts", jKonflikte}};
    return j.dump();
}
