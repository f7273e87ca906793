// The networks of the map, each with what is known of it: who claims it, whom its devices answered through,
// the port that reaches it, its link, its devices and which of them the scan could not read whole. The own IP
// network is not among them; a router's row for it (its own port) is no claim to another network.
#include <algorithm>
#include <cstdio>
#include <map>
#include "scanner/netmap/sc_karte_daten.h"

namespace {

void DAZU(std::vector<IP_PORT> &v, const IP_PORT &st) {
    if (std::none_of(v.begin(), v.end(), [&](const IP_PORT &x) { return SC_KARTE_GLEICH(x, st); }))
        v.push_back(st);
}

std::string HEX(const unsigned char *uc, int iLen) {
    std::string s;
    char c[3];
    for (int i = 0; i < iLen; i++) {
        std::snprintf(c, sizeof c, "%02X", uc[i]);
        s += c;
    }
    return s;
}

// Devices with one-byte MAC addresses sit on an MS/TP trunk, those with six on B/IP (address and port).
const char *ART(std::size_t uMac) {
    return uMac == 1 ? "mstp" : uMac == 6 ? "ip" : nullptr;
}

} // namespace

std::vector<SC_KNETZ_Struct> SC_KARTE_NETZLISTE() {
    const SC_KARTE_Struct &k = stSC_Karte;
    std::map<std::uint16_t, SC_KNETZ_Struct> m;
    auto NETZ = [&](std::uint16_t us) -> SC_KNETZ_Struct & {
        SC_KNETZ_Struct &n = m[us];
        n.usNetz = us;
        return n;
    };
    for (const SC_KROUTER_Struct &r : k.vRouter) {
        for (std::uint16_t us : r.vNetze)
            if (us != 0 && us != QX04_NETZ_ALLE && us != k.lLokal) DAZU(NETZ(us).vRouter, r.stAdr);
        for (const QX04_NL_PORT &p : r.vPorts) {
            if (p.usNetz == 0 || p.usNetz == QX04_NETZ_ALLE || p.usNetz == k.lLokal) continue;
            SC_KNETZ_Struct &n = NETZ(p.usNetz);
            DAZU(n.vRouter, r.stAdr);
            if (n.iPortId >= 0) continue;
            n.iPortId = p.ucPortId;
            n.sInfo = HEX(p.aucInfo, std::min<int>(p.ucInfoLen, QX04_NL_INFO_MAX));
        }
    }
    for (const SC_KGERAET_Struct &g : k.vGeraet) {
        if (g.usNetz == 0) continue;
        SC_KNETZ_Struct &n = NETZ(g.usNetz);
        DAZU(n.vUeber, g.stVon);
        if (std::find(n.vGeraete.begin(), n.vGeraete.end(), g.ulInst) == n.vGeraete.end())
            n.vGeraete.push_back(g.ulInst);
        if (const auto it = k.mAusgang.find(g.ulInst);
            it != k.mAusgang.end() && it->second == 0 &&
            std::find(n.vUnvollst.begin(), n.vUnvollst.end(), g.ulInst) == n.vUnvollst.end())
            n.vUnvollst.push_back(g.ulInst);
        if (n.cArt == nullptr) n.cArt = ART(g.vMac.size());
    }
    std::vector<SC_KNETZ_Struct> v;
    for (auto &[us, n] : m) {
        std::sort(n.vGeraete.begin(), n.vGeraete.end());
        std::sort(n.vUnvollst.begin(), n.vUnvollst.end());
        v.push_back(std::move(n));
    }
    return v;
}
