// The Who-Is into each network, directed to its router (DNET, broadcast MAC), range by range, so that no
// trunk gets an I-Am storm: one range in flight per network, the networks side by side. A router forwards as
// many I-Ams at once as its buffer for the network holds, and drops the rest; the pacing's budget for the
// network says how many that is (two at least). A range that brought fewer I-Ams than that lost none and is
// done; one that brought as many may have lost some and is asked again in SC_KARTE_TEILE parts, down to
// single instances. Its window closes early once that many have come; otherwise after three times the
// network's quickest first I-Am (a second before one is known).
#include <algorithm>
#include "runtime/ut/ut.h"
#include "scanner/netmap/sc_karte_daten.h"

namespace {

constexpr std::uint32_t ulFENSTER_MIN = 50, ulFENSTER_MAX = SC_KARTE_FRAGE_MS, ulKORN_MS = 20;

std::uint32_t FENSTER(const SC_KSUCHE_Struct &s) {
    return s.ulBasisMs == 0 ? ulFENSTER_MAX
                            : std::clamp(3 * s.ulBasisMs + ulKORN_MS, ulFENSTER_MIN, ulFENSTER_MAX);
}

int SCHWELLE(const SC_KSUCHE_Struct &s) {
    return std::max(2, SC_KARTE_BUDGET(s.stRouter, s.usNetz));
}

// The range in flight is judged: done, or its parts are to be asked, the lowest first.
void URTEIL(SC_KSUCHE_Struct &s) {
    s.bFlug = false;
    const SC_KBEREICH_Struct b = s.stFlug;
    if (s.iAntworten < SCHWELLE(s) || b.ulVon == b.ulBis) return;
    const std::uint32_t ulBreite = (b.ulBis - b.ulVon) / SC_KARTE_TEILE + 1;
    std::vector<SC_KBEREICH_Struct> v;
    for (std::uint32_t ul = b.ulVon; ul <= b.ulBis && ul >= b.ulVon; ul += ulBreite)
        v.push_back({ul, std::min(b.ulBis, ul + ulBreite - 1)});
    s.vOffen.insert(s.vOffen.end(), v.rbegin(), v.rend());
}

void FRAGEN(SC_KSUCHE_Struct &s, std::uint32_t ulJetzt) {
    s.stFlug = s.vOffen.back();
    s.vOffen.pop_back();
    unsigned char uc[32];
    SC_KARTE_SENDEN(&s.stRouter, uc,
                    QX04_BN_WHOIS_NETZ(uc, sizeof uc, false, s.usNetz, s.stFlug.ulVon, s.stFlug.ulBis));
    s.bFlug = true;
    s.iAntworten = 0;
    s.ulGesendetMs = ulJetzt;
    s.ulWhoIs++;
}

// One turn over the networks: windows that closed are judged, networks without a range in flight ask the
// next. True while anything is left to ask or to wait for.
bool RUNDE() {
    const std::uint32_t ulJetzt = UT_MSEK();
    bool bOffen = false;
    for (SC_KSUCHE_Struct &s : stSC_Karte.vSuche) {
        if (s.bAbgewiesen) s.vOffen.clear(), s.bFlug = false;
        if (s.bFlug && (s.iAntworten >= SCHWELLE(s) || ulJetzt - s.ulGesendetMs >= FENSTER(s))) URTEIL(s);
        if (!s.bFlug && !s.vOffen.empty()) FRAGEN(s, ulJetzt);
        bOffen = bOffen || s.bFlug;
    }
    return bOffen;
}

} // namespace

void SC_KARTE_SUCHE(SC_KARTE_WEITER_FN pfWeiter) {
    constexpr int iMAX = 256;
    std::uint16_t aus[iMAX];
    IP_PORT ast[iMAX];
    const int n = SC_KARTE_NETZE(aus, ast, iMAX);
    stSC_Karte.vSuche.clear();
    for (int i = 0; i < n; i++) {
        SC_KSUCHE_Struct s;
        s.usNetz = aus[i];
        s.stRouter = ast[i];
        s.vOffen.push_back({ulQX04_DevMin, ulQX04_DevMax});
        stSC_Karte.vSuche.push_back(s);
    }
    const std::uint32_t ulAb = UT_MSEK();
    // A turn after every datagram or every short wait: a window is seen to close within a few milliseconds.
    constexpr int iTAKT_MS = 5;
    while (RUNDE() && UT_MSEK() - ulAb < SC_KARTE_SUCHE_MAX_MS)
        SC_KARTE_WARTEN(iTAKT_MS, pfWeiter, [] { return true; });
}
