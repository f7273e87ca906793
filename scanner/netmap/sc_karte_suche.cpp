// The Who-Is into each network, directed to its router (DNET, broadcast MAC), range by range, so that no
// trunk gets an I-Am storm: one range in flight per network, the networks side by side. A router forwards as
// many I-Ams at once as its buffer for the network holds and drops the rest; the pacing's budget for the
// network says how many that is (two at least). A range that brought fewer I-Ams than that lost none and is
// done. One that brought as many may have lost some, and only where no device has answered yet: the gaps
// between the instances heard there are asked next, the lowest first, each smaller than the range, so the
// sweep ends; it costs about one Who-Is per budget's worth of devices and one per gap. A range's window is
// three times the network's quickest first I-Am (a second before one is known).
#include <algorithm>
#include "runtime/ut/ut.h"
#include "scanner/netmap/sc_karte_daten.h"
#include "scanner/pace/sc_pace.h"

namespace {

constexpr std::uint32_t ulFENSTER_MIN = 50, ulFENSTER_MAX = SC_KARTE_FRAGE_MS, ulKORN_MS = 20;

std::uint32_t FENSTER(const SC_KSUCHE_Struct &s) {
    return s.ulBasisMs == 0 ? ulFENSTER_MAX
                            : std::clamp(3 * s.ulBasisMs + ulKORN_MS, ulFENSTER_MIN, ulFENSTER_MAX);
}

int SCHWELLE(const SC_KSUCHE_Struct &s) {
    return std::max(2, SC_PACE_BUDGET(&s.stRouter, s.usNetz));
}

// The range in flight is judged. With fewer I-Ams than the router takes it is done, and what it stands for
// beyond it is asked next, whole. Otherwise what of it no device has answered from is asked: the gaps between
// the instances heard, and beside the outermost ones a piece as wide as the instances heard there are apart
// times the budget, standing for the rest on that side: devices of a trunk tend to be numbered in a row, so
// the piece likely holds no more I-Ams than the router takes, and the sweep steps along them.
void URTEIL(SC_KSUCHE_Struct &s) {
    using U = std::uint64_t;
    s.bFlug = false;
    const SC_KBEREICH_Struct b = s.stFlug;
    std::vector<U> v;
    for (auto it = s.sGehoert.lower_bound(b.ulVon); it != s.sGehoert.end() && *it <= b.ulBis; ++it)
        v.push_back(*it);
    std::vector<SC_KBEREICH_Struct> w;
    auto DAZU = [&w](U a, U z, U ra, U rz) {
        if (a <= z) w.push_back({std::uint32_t(a), std::uint32_t(z), std::uint32_t(ra), std::uint32_t(rz)});
    };
    if (s.iAntworten < SCHWELLE(s) || v.empty()) {
        if (b.ulRestVon < b.ulVon) DAZU(b.ulRestVon, b.ulVon - 1, b.ulRestVon, b.ulVon - 1);
        DAZU(U(b.ulBis) + 1, b.ulRestBis, U(b.ulBis) + 1, b.ulRestBis);
    } else {
        const U ullBreite =
            std::max<U>(1, v.size() > 1 ? (v.back() - v.front()) / (v.size() - 1) : 1) * SCHWELLE(s);
        if (v.front() > b.ulRestVon)
            DAZU(v.front() - std::min<U>(v.front() - b.ulRestVon, ullBreite), v.front() - 1, b.ulRestVon,
                 v.front() - 1);
        for (std::size_t i = 1; i < v.size(); i++)
            DAZU(v[i - 1] + 1, v[i] - 1, v[i - 1] + 1, v[i] - 1);
        DAZU(v.back() + 1, std::min<U>(b.ulRestBis, v.back() + ullBreite), v.back() + 1, b.ulRestBis);
    }
    s.vOffen.insert(s.vOffen.end(), w.begin(), w.end()); // the last one first: onward from the highest
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
        if (s.bFlug && ulJetzt - s.ulGesendetMs >= FENSTER(s)) URTEIL(s);
        if (!s.bFlug && !s.vOffen.empty()) FRAGEN(s, ulJetzt);
        bOffen = bOffen || s.bFlug;
    }
    return bOffen;
}

// A sweep for every pair of network and router the map knows and that has none yet: the networks learnt
// meanwhile from the I-Ams' source networks join in.
void NEU() {
    constexpr int iMAX = 1024;
    static std::uint16_t aus[iMAX];
    static IP_PORT ast[iMAX];
    const int n = SC_KARTE_NETZE(aus, ast, iMAX);
    auto &v = stSC_Karte.vSuche;
    for (int i = 0; i < n; i++) {
        if (std::any_of(v.begin(), v.end(), [&](const auto &s) {
                return s.usNetz == aus[i] && SC_KARTE_GLEICH(s.stRouter, ast[i]);
            }))
            continue;
        SC_KSUCHE_Struct s;
        s.usNetz = aus[i];
        s.stRouter = ast[i];
        s.vOffen.push_back({ulQX04_DevMin, ulQX04_DevMax, ulQX04_DevMin, ulQX04_DevMax});
        v.push_back(s);
    }
}

} // namespace

void SC_KARTE_SUCHE() {
    stSC_Karte.vSuche.clear();
    const std::uint32_t ulAb = UT_MSEK();
    std::size_t uStand = ~std::size_t{0};
    // A turn after every datagram or a short wait: a window is seen to close within a few milliseconds.
    constexpr int iTAKT_MS = 5;
    for (bool bOffen = true; bOffen && UT_MSEK() - ulAb < SC_KARTE_SUCHE_MAX_MS;) {
        SC_KARTE_WARTEN(iTAKT_MS, [] { return true; });
        const std::size_t uJetzt = stSC_Karte.vGeraet.size() + stSC_Karte.vRouter.size();
        if (uJetzt != uStand) NEU(), uStand = uJetzt;
        bOffen = RUNDE();
    }
}
