// A slow trunk behind a router, as an MS/TP bus at a given baud rate with token passing: the router may put a
// frame on the bus only when it holds the token, which comes round once per rotation time; a device answers
// a request at once (a reply to a frame that expects one), but sends the later windows of a segmented answer
// only with its own token. Every frame takes its octets' time (ten bits each, plus the frame's header and
// CRC), one frame at a time on the bus.
#include "tools/bacsim/bacsim.h"

namespace {

struct TRUNK {
    std::size_t uHost = 0;
    std::uint16_t usNet = 0;
    unsigned uBaud = 0, uRotMs = 0;
    std::int64_t llFreiNs = 0; // the bus is busy until then
};
std::vector<TRUNK> vTrunks;

constexpr std::size_t MSTP_KOPF = 8, MSTP_CRC = 2, BVLC_KOPF = 4;
constexpr std::int64_t NS_MS = 1000000;

TRUNK *Find(std::size_t uHost, std::uint16_t usNet) {
    for (TRUNK &t : vTrunks)
        if (t.uHost == uHost && t.usNet == usNet) return &t;
    return nullptr;
}

// The bytes of a B/IP frame as an MS/TP frame carries them, and their time on the bus.
std::size_t Octets(std::size_t uBip) {
    return (uBip > BVLC_KOPF ? uBip - BVLC_KOPF : 0) + MSTP_KOPF + MSTP_CRC;
}
std::int64_t Dauer(const TRUNK &t, std::size_t uOctets) {
    return static_cast<std::int64_t>(uOctets) * 10 * 1000000000 / t.uBaud;
}
std::int64_t Token(const TRUNK &t, std::int64_t llAb) {
    const std::int64_t llRot = static_cast<std::int64_t>(t.uRotMs) * NS_MS;
    return llRot == 0 ? llAb : (llAb + llRot - 1) / llRot * llRot;
}

} // namespace

bool BS_TRUNK_LINE(std::istringstream &is, BS_BUILDING &b, std::string &sWhy) {
    unsigned long ulNet = 0, ulBaud = 0, ulRot = 0;
    std::string x;
    if (b.vHosts.empty() || (!b.vDevs.empty() && b.vDevs.back().uHost + 1 == b.vHosts.size()))
        return sWhy = "trunk belongs to a host, before its devices", false;
    if (!(is >> ulNet >> ulBaud >> ulRot) || ulNet == 0 || ulNet > 65534 || ulBaud < 1200 ||
        ulBaud > 1000000 || ulRot > 10000)
        return sWhy = "trunk needs NET (1..65534) BAUD (1200..1000000) ROTATION-MS (0..10000)", false;
    if (is >> x) return sWhy = "unexpected " + x, false;
    vTrunks.push_back({b.vHosts.size() - 1, static_cast<std::uint16_t>(ulNet), static_cast<unsigned>(ulBaud),
                       static_cast<unsigned>(ulRot), 0});
    return true;
}

bool BS_TRUNK(std::size_t uHost, std::uint16_t usNet) {
    return Find(uHost, usNet) != nullptr;
}

std::vector<unsigned> BS_TRUNK_TAKE(std::size_t uHost, std::uint16_t usNet, std::size_t uAsked,
                                    const std::vector<std::size_t> &vAnswered, unsigned uDelayMs, bool bToken,
                                    std::string &sLog) {
    std::vector<unsigned> v;
    TRUNK *t = Find(uHost, usNet);
    if (t == nullptr) return std::vector<unsigned>(vAnswered.size(), uDelayMs);
    const std::int64_t llJetzt = BS_NOW_NS();
    std::int64_t ll = Token(*t, std::max(llJetzt, t->llFreiNs));
    const std::size_t uAsk = Octets(uAsked);
    std::size_t uAns = 0;
    std::int64_t llDraht = Dauer(*t, uAsk);
    ll += llDraht + static_cast<std::int64_t>(uDelayMs) * NS_MS;
    if (bToken) ll = Token(*t, ll);
    for (std::size_t u : vAnswered) {
        const std::int64_t d = Dauer(*t, Octets(u));
        ll += d, llDraht += d, uAns += Octets(u);
        v.push_back(static_cast<unsigned>((ll - llJetzt + NS_MS - 1) / NS_MS));
    }
    t->llFreiNs = ll;
    sLog += " trunk=" + std::to_string(usNet) + " octets=" + std::to_string(uAsk) + "/" +
            std::to_string(uAns) + " wire-us=" + std::to_string(llDraht / 1000) +
            " due-ms=" + std::to_string(v.empty() ? 0 : v.back());
    return v;
}
