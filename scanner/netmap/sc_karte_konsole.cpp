// The map on the console before the verdict: one line of what the site holds, one line per conflict. The
// picture (-G) and the report (-J) hold the rest.
#include <cstdio>
#include "scanner/netmap/sc_karte_daten.h"

namespace {

constexpr std::size_t uLISTE = 16; // numbers a line names before "..."

std::string ADRESSEN(const std::vector<IP_PORT> &v, std::size_t uAb = 0) {
    std::string s;
    for (std::size_t i = uAb; i < v.size(); i++)
        s += (i > uAb ? " " : "") + SC_KARTE_ADR(v[i]);
    return s;
}

std::string NETZ(std::uint16_t us) {
    return us == 0 ? "lokal" : std::to_string(us);
}

std::string TEXT(const SC_KONFLIKT_Struct &k) {
    const std::string sNetz = "Netz " + std::to_string(k.usNetz);
    switch (k.iArt) {
    case SC_KONFLIKT_ZWEI_ROUTER:
        return sNetz + " von " + std::to_string(k.vWer.size()) + " Routern beansprucht: " + ADRESSEN(k.vWer);
    case SC_KONFLIKT_ZWEI_WEGE:
        return sNetz +
               " \x81"
               "ber " +
               std::to_string(k.vWer.size()) + " Router erreicht: " + ADRESSEN(k.vWer);
    case SC_KONFLIKT_HERRENLOS:
        return sNetz + " beansprucht kein Router, Devices dort: " + SC_KARTE_LISTE(k.vInst, uLISTE) +
               " (\x81"
               "ber " +
               ADRESSEN(k.vWer) + ")";
    case SC_KONFLIKT_NIRGENDS:
        return "Router " + ADRESSEN(k.vWer) + " antwortet, routet aber in kein Netz";
    case SC_KONFLIKT_BDT: {
        std::string s = "BBMD " + SC_KARTE_ADR(k.vWer[0]) + " f\x81hrt nicht:";
        for (std::size_t i = 0; i < k.vFehlt.size(); i++)
            s += " " + SC_KARTE_ADR(k.vFehlt[i]) + " (bei " + SC_KARTE_ADR(k.vWer[i + 1]) + ")";
        return s;
    }
    default: {
        std::string s =
            "Device " + std::to_string(k.ulInst) + " an " + std::to_string(k.vWer.size()) + " Adressen:";
        for (std::size_t i = 0; i < k.vWer.size(); i++)
            s += (i > 0 ? ", Netz " : " Netz ") + NETZ(k.vNetze[i]) +
                 " \x81"
                 "ber " +
                 SC_KARTE_ADR(k.vWer[i]);
        return s;
    }
    }
}

} // namespace

std::string SC_KARTE_KONSOLE() {
    const SC_KARTE_Struct &k = stSC_Karte;
    const std::vector<SC_KNETZ_Struct> vNetze = SC_KARTE_NETZLISTE();
    const std::vector<SC_KONFLIKT_Struct> vKonflikte = SC_KARTE_KONFLIKTE();
    std::vector<std::uint16_t> vNr;
    for (const SC_KNETZ_Struct &n : vNetze)
        vNr.push_back(n.usNetz);
    char c[160];
    std::snprintf(c, sizeof c, "\n\n***  Netzkarte: lokales Netz %s, %zu Router, %zu Netze",
                  k.lLokal < 0 ? "?" : std::to_string(k.lLokal).c_str(), k.vRouter.size(), vNetze.size());
    std::string s = c;
    if (!vNr.empty()) s += " (" + SC_KARTE_LISTE(vNr, uLISTE) + ")";
    std::snprintf(c, sizeof c, ", %zu BBMD, %zu Devices, %zu Konflikt%s  ***", k.vBbmd.size(),
                  SC_KARTE_GERAETE(), vKonflikte.size(), vKonflikte.size() == 1 ? "" : "e");
    s += c;
    for (const SC_KONFLIKT_Struct &x : vKonflikte)
        s += "\n***  Konflikt: " + TEXT(x) + "  ***";
    return s;
}
