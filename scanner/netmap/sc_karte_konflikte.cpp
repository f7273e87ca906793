// The classic faults of a site, found in the map: a network number that two routers claim, a network reached
// through two routers, devices on a network no router claims, a router that answers but routes nowhere, a
// BBMD whose table misses a subnet another BBMD lists, and one device instance at two addresses. Each is
// named once: per network, per router, per BBMD, per instance.
#include <algorithm>
#include <map>
#include "scanner/netmap/sc_karte_daten.h"

namespace {

using KONFLIKTE = std::vector<SC_KONFLIKT_Struct>;

// Claims and paths need the routers' own word: without the discovery a device's network claims nothing.
void NETZE(const std::vector<SC_KNETZ_Struct> &vNetze, KONFLIKTE &v) {
    for (const SC_KNETZ_Struct &n : vNetze)
        if (n.vRouter.size() > 1)
            v.push_back({SC_KONFLIKT_ZWEI_ROUTER, n.usNetz, 0xFFFFFFFF, n.vRouter, {}, {}, {}});
    for (const SC_KNETZ_Struct &n : vNetze)
        if (n.vUeber.size() > 1)
            v.push_back({SC_KONFLIKT_ZWEI_WEGE, n.usNetz, 0xFFFFFFFF, n.vUeber, {}, {}, {}});
    if (!stSC_Karte.bEntdeckt) return;
    for (const SC_KNETZ_Struct &n : vNetze)
        if (n.vRouter.empty() && !n.vGeraete.empty())
            v.push_back({SC_KONFLIKT_HERRENLOS, n.usNetz, 0xFFFFFFFF, n.vUeber, {}, n.vGeraete, {}});
}

// A router's claims and rows that name a network beside the one it sits in.
bool ROUTET(const SC_KROUTER_Struct &r) {
    auto bFremd = [](std::uint16_t us) { return us != 0 && us != QX04_NETZ_ALLE && us != stSC_Karte.lLokal; };
    return std::any_of(r.vNetze.begin(), r.vNetze.end(), bFremd) ||
           std::any_of(r.vPorts.begin(), r.vPorts.end(),
                       [&](const QX04_NL_PORT &p) { return bFremd(p.usNetz); });
}

void ROUTER(KONFLIKTE &v) {
    for (const SC_KROUTER_Struct &r : stSC_Karte.vRouter) {
        const bool bGeraete =
            std::any_of(stSC_Karte.vGeraet.begin(), stSC_Karte.vGeraet.end(),
                        [&](const auto &g) { return g.usNetz != 0 && SC_KARTE_GLEICH(g.stVon, r.stAdr); });
        if (r.bAntwort && !ROUTET(r) && !bGeraete)
            v.push_back({SC_KONFLIKT_NIRGENDS, 0, 0xFFFFFFFF, {r.stAdr}, {}, {}, {}});
    }
}

bool HAT(const std::vector<QX04_BVLL_EINTRAG> &v, const IP_PORT &st) {
    return std::any_of(v.begin(), v.end(),
                       [&](const QX04_BVLL_EINTRAG &e) { return SC_KARTE_GLEICH(e.stAdr, st); });
}

// Every subnet some BBMD forwards to must be in the table of every other BBMD of the site, or its broadcasts
// reach only part of it.
void BBMD(KONFLIKTE &v) {
    const auto &vB = stSC_Karte.vBbmd;
    for (const SC_KBBMD_Struct &b : vB) {
        if (!b.bBdt) continue;
        SC_KONFLIKT_Struct k{SC_KONFLIKT_BDT, 0, 0xFFFFFFFF, {b.stAdr}, {}, {}, {}};
        for (const SC_KBBMD_Struct &a : vB) {
            if (&a == &b || !a.bBdt) continue;
            for (const QX04_BVLL_EINTRAG &e : a.vBdt) {
                const bool bSchon = std::any_of(k.vFehlt.begin(), k.vFehlt.end(), [&](const IP_PORT &x) {
                    return SC_KARTE_GLEICH(x, e.stAdr);
                });
                if (bSchon || HAT(b.vBdt, e.stAdr)) continue;
                k.vFehlt.push_back(e.stAdr);
                k.vWer.push_back(a.stAdr);
            }
        }
        if (!k.vFehlt.empty()) v.push_back(k);
    }
}

void INSTANZEN(KONFLIKTE &v) {
    std::map<std::uint32_t, std::vector<const SC_KGERAET_Struct *>> m;
    for (const SC_KGERAET_Struct &g : stSC_Karte.vGeraet)
        m[g.ulInst].push_back(&g);
    for (const auto &[ul, vG] : m) {
        if (vG.size() < 2) continue;
        SC_KONFLIKT_Struct k{SC_KONFLIKT_INSTANZ, 0, ul, {}, {}, {}, {}};
        for (const SC_KGERAET_Struct *g : vG) {
            k.vWer.push_back(g->stVon);
            k.vNetze.push_back(g->usNetz);
        }
        v.push_back(k);
    }
}

} // namespace

std::vector<SC_KONFLIKT_Struct> SC_KARTE_KONFLIKTE() {
    KONFLIKTE v;
    NETZE(SC_KARTE_NETZLISTE(), v);
    ROUTER(v);
    BBMD(v);
    INSTANZEN(v);
    return v;
}
