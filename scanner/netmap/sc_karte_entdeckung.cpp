// -N: the site network by network before the scan. The own network's number and the routers on it, a Who-Is
// into the own network (through the BBMD of -F to the whole B/IP network), the routers of every network when
// none answers locally; then each router's table and each BBMD's tables (the one of -F, those seen
// forwarding, and the peers their tables name); then a Who-Is into every network through its router, range by
// range. Nothing here is sent to every network at once but the question for routers, and only when no router
// answers on the own network.
#include <algorithm>
#include "scanner/netmap/sc_karte_daten.h"
#include "scanner/sc.h"

namespace {

bool ROUTER_DA() {
    return std::any_of(stSC_Karte.vRouter.begin(), stSC_Karte.vRouter.end(),
                       [](const SC_KROUTER_Struct &r) { return r.bAntwort; });
}

void FRAGE(const IP_PORT *stZiel, std::uint16_t usDnet, unsigned char ucTyp, const unsigned char *ucDaten,
           int iLen) {
    unsigned char uc[32];
    SC_KARTE_SENDEN(stZiel, uc,
                    QX04_BN_NL_ANFRAGE(uc, sizeof uc, stZiel == nullptr, usDnet, ucTyp, ucDaten, iLen));
}

void MELDEN(int iArt, const IP_PORT &st, int iWert = 0) {
    SC_FAKT_Struct f;
    f.iArt = iArt, f.stVon = st, f.iWert = iWert;
    SC_KARTE_MELDEN(&f);
}

// Tables of the BBMDs not asked yet; the peers they name are BBMDs too. False when none was left to ask.
bool BBMDS() {
    std::vector<IP_PORT> v;
    if (pQX04_Link != nullptr) return false; // a hub's link has no BBMDs and carries no BVLL of B/IP
    for (SC_KBBMD_Struct &b : stSC_Karte.vBbmd)
        if (!b.bGefragt) b.bGefragt = true, v.push_back(b.stAdr);
    if (v.empty()) return false;
    for (const IP_PORT &st : v)
        for (const unsigned char ucFunk : {QX04_BVLC_READ_BDT, QX04_BVLC_READ_FDT}) {
            unsigned char uc[4];
            SC_KARTE_SENDEN(&st, uc, QX04_BN_BVLL(uc, ucFunk, nullptr, 0));
        }
    SC_KARTE_WARTEN(SC_KARTE_FRAGE_MS);
    std::vector<IP_PORT> vPeers;
    for (const SC_KBBMD_Struct &b : stSC_Karte.vBbmd)
        for (const QX04_BVLL_EINTRAG &e : b.vBdt)
            vPeers.push_back(e.stAdr);
    for (const IP_PORT &st : vPeers)
        MELDEN(SC_FAKT_BBMD, st);
    return true;
}

} // namespace

void SC_KARTE_ENTDECKUNG() {
    MELDEN(SC_FAKT_ENTDECKT, IP_PORT{0xFFFFFFFF, 0});
    if (stSC_Bbmd.ulAdr != 0xFFFFFFFF) MELDEN(SC_FAKT_BBMD, stSC_Bbmd);
    FRAGE(nullptr, 0, QX04_NL_WHAT_IS_NETNR, nullptr, 0);
    FRAGE(nullptr, 0, QX04_NL_WHO_IS_ROUTER, nullptr, 0);
    unsigned char uc[32];
    SC_KARTE_SENDEN(nullptr, uc,
                    bSC_Bereich ? QX04_BN_WHOIS_NETZ(uc, sizeof uc, true, 0, ulQX04_DevMin, ulQX04_DevMax)
                                : QX04_BN_WHOIS_NETZ(uc, sizeof uc, true, 0, 1, 0));
    SC_KARTE_WARTEN(SC_KARTE_FRAGE_MS);
    if (!ROUTER_DA()) {
        FRAGE(nullptr, QX04_NETZ_ALLE, QX04_NL_WHO_IS_ROUTER, nullptr, 0);
        SC_KARTE_WARTEN(SC_KARTE_FRAGE_MS);
    }
    const unsigned char ucKeinePorts[] = {0};
    for (const SC_KROUTER_Struct &r : std::vector<SC_KROUTER_Struct>(stSC_Karte.vRouter)) {
        if (!r.bAntwort) continue;
        FRAGE(&r.stAdr, 0, QX04_NL_INIT_RT, ucKeinePorts, 1);
        MELDEN(SC_FAKT_GEFRAGT, r.stAdr);
    }
    // The routers' tables arrive during the first round of BBMD tables, or in a wait of their own.
    constexpr int iRUNDEN_MAX = 4; // BBMDs behind BBMDs, at most this deep
    bool bGewartet = false;
    for (int i = 0; i < iRUNDEN_MAX && BBMDS(); i++)
        bGewartet = true;
    if (!bGewartet) SC_KARTE_WARTEN(SC_KARTE_FRAGE_MS);
    SC_KARTE_SUCHE();
}
