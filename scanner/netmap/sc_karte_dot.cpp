// The map as a Graphviz graph (-G): the own IP network, the routers on it and the networks behind them with
// their device counts and the devices the scan could not read whole, the BBMDs joined by their tables.
// Whatever a conflict concerns is drawn in red and says why. `dot -Tsvg` renders it.
#include <algorithm>
#include <map>
#include <set>
#include "scanner/netmap/sc_karte_daten.h"

namespace {

constexpr std::size_t uLISTE = 8; // instances a label names before "..."
const char *const cROT = " color=red fontcolor=red";

// Node names and their red marks, with the reasons shown in the label.
struct ROT {
    std::map<std::string, std::vector<std::string>> m;
    void DAZU(const std::string &sKnoten, const std::string &sWarum) {
        m[sKnoten].push_back(sWarum);
    }
    std::string ATTR(const std::string &sKnoten) const {
        return m.count(sKnoten) != 0 ? cROT : "";
    }
    std::string ZEILEN(const std::string &sKnoten) const {
        std::string s;
        if (auto it = m.find(sKnoten); it != m.end())
            for (const std::string &w : it->second)
                s += "\\n" + w;
        return s;
    }
};

std::string RNAME(const IP_PORT &st) {
    const auto &v = stSC_Karte.vRouter;
    auto it = std::find_if(v.begin(), v.end(), [&](const auto &r) { return SC_KARTE_GLEICH(r.stAdr, st); });
    return "r" + std::to_string(it - v.begin());
}

std::string BNAME(const IP_PORT &st) {
    const auto &v = stSC_Karte.vBbmd;
    auto it = std::find_if(v.begin(), v.end(), [&](const auto &b) { return SC_KARTE_GLEICH(b.stAdr, st); });
    return it != v.end() ? "b" + std::to_string(it - v.begin()) : "";
}

ROT MARKEN(const std::vector<SC_KONFLIKT_Struct> &vK) {
    ROT r;
    for (const SC_KONFLIKT_Struct &k : vK) {
        const std::string sN = "n" + std::to_string(k.usNetz);
        switch (k.iArt) {
        case SC_KONFLIKT_ZWEI_ROUTER:
            r.DAZU(sN, "von " + std::to_string(k.vWer.size()) + " Routern beansprucht");
            break;
        case SC_KONFLIKT_ZWEI_WEGE:
            r.DAZU(sN, "\xC3\xBC"
                       "ber " +
                           std::to_string(k.vWer.size()) + " Router erreicht");
            break;
        case SC_KONFLIKT_HERRENLOS:
            r.DAZU(sN, "kein Router beansprucht es");
            break;
        case SC_KONFLIKT_NIRGENDS:
            r.DAZU(RNAME(k.vWer[0]), "routet in kein Netz");
            break;
        case SC_KONFLIKT_BDT:
            for (const IP_PORT &st : k.vFehlt)
                r.DAZU(BNAME(k.vWer[0]), "BDT ohne " + SC_KARTE_ADR(st));
            break;
        default:
            for (std::uint16_t us : k.vNetze)
                r.DAZU(us == 0 ? "lokal" : "n" + std::to_string(us),
                       "Device " + std::to_string(k.ulInst) + " doppelt");
        }
    }
    return r;
}

// The port of the router's table that reaches the network, as an edge label.
std::string PORT(const IP_PORT &st, std::uint16_t usNetz) {
    for (const SC_KROUTER_Struct &r : stSC_Karte.vRouter)
        for (const QX04_NL_PORT &p : r.vPorts)
            if (SC_KARTE_GLEICH(r.stAdr, st) && p.usNetz == usNetz)
                return " [label=\"Port " + std::to_string(p.ucPortId) + "\"]";
    return "";
}

std::string GERAETE(std::size_t uAnz, const std::vector<std::uint32_t> &vUnvollst) {
    std::string s = "\\n" + std::to_string(uAnz) + (uAnz == 1 ? " Device" : " Devices");
    if (!vUnvollst.empty()) s += "\\nunvollst\xC3\xA4ndig: " + SC_KARTE_LISTE(vUnvollst, uLISTE);
    return s;
}

} // namespace

std::string SC_KARTE_DOT() {
    const SC_KARTE_Struct &k = stSC_Karte;
    const std::vector<SC_KNETZ_Struct> vNetze = SC_KARTE_NETZLISTE();
    const ROT rot = MARKEN(SC_KARTE_KONFLIKTE());
    std::string s =
        "graph netzkarte {\n  graph [rankdir=LR fontname=Helvetica label=\"netscn: Netzkarte\" labelloc=t];\n"
        "  node [fontname=Helvetica fontsize=10];\n  edge [fontname=Helvetica fontsize=9];\n";
    std::size_t uLokal = 0;
    std::vector<std::uint32_t> vLokalUnv;
    for (const SC_KGERAET_Struct &g : k.vGeraet) {
        if (g.usNetz != 0) continue;
        uLokal++;
        if (const auto it = k.mAusgang.find(g.ulInst); it != k.mAusgang.end() && it->second == 0)
            vLokalUnv.push_back(g.ulInst);
    }
    s += "  lokal [shape=box3d label=\"IP-Netz " +
         (k.lLokal >= 0 ? std::to_string(k.lLokal) : std::string("?")) + GERAETE(uLokal, vLokalUnv) +
         rot.ZEILEN("lokal") + "\"" + rot.ATTR("lokal") + "];\n";
    for (const SC_KROUTER_Struct &r : k.vRouter) {
        const std::string sR = RNAME(r.stAdr);
        s += "  " + sR + " [shape=box label=\"Router\\n" + SC_KARTE_ADR(r.stAdr) +
             (r.bAntwort ? "" : "\\n(stumm)") + rot.ZEILEN(sR) + "\"" + rot.ATTR(sR) + "];\n  lokal -- " +
             sR + ";\n";
    }
    for (const SC_KNETZ_Struct &n : vNetze) {
        const std::string sN = "n" + std::to_string(n.usNetz);
        const std::string sArt =
            n.cArt == nullptr ? "" : std::string(" (") + (n.cArt[0] == 'm' ? "MS/TP" : "IP") + ")";
        s += "  " + sN + " [shape=ellipse label=\"Netz " + std::to_string(n.usNetz) + sArt +
             GERAETE(n.vGeraete.size(), n.vUnvollst) + rot.ZEILEN(sN) + "\"" + rot.ATTR(sN) + "];\n";
        for (const IP_PORT &st : n.vRouter)
            s += "  " + RNAME(st) + " -- " + sN + PORT(st, n.usNetz) + ";\n";
        for (const IP_PORT &st : n.vUeber)
            if (std::none_of(n.vRouter.begin(), n.vRouter.end(),
                             [&](const IP_PORT &x) { return SC_KARTE_GLEICH(x, st); }))
                s += "  " + RNAME(st) + " -- " + sN + " [style=dashed" + cROT + "];\n";
    }
    std::set<std::string> sVerbunden;
    for (const SC_KBBMD_Struct &b : k.vBbmd) {
        const std::string sB = BNAME(b.stAdr);
        s += "  " + sB + " [shape=hexagon label=\"BBMD\\n" + SC_KARTE_ADR(b.stAdr) +
             (b.bFdt ? "\\nFDT: " + std::to_string(b.vFdt.size()) : std::string()) + rot.ZEILEN(sB) + "\"" +
             rot.ATTR(sB) + "];\n";
        if (b.bLeitet) s += "  lokal -- " + sB + ";\n"; // it forwards into the scanner's network
        // A peer in its table, once per pair: the edge is drawn by the first of the two.
        for (const QX04_BVLL_EINTRAG &e : b.vBdt) {
            const std::string sZ = BNAME(e.stAdr);
            if (!sZ.empty() && sZ != sB && !sVerbunden.count(sZ + "-" + sB))
                s += "  " + sB + " -- " + sZ + " [style=dashed label=\"BDT\"];\n",
                    sVerbunden.insert(sB + "-" + sZ);
        }
    }
    return s + "}\n";
}
