// A router with a small buffer per network: it serves each network one request at a time and holds at most
// N requests for it; what comes beyond is dropped, answered with Router-Busy-To-Network, or rejected, as the
// description's "queue N [busy|reject]" says.
#include "tools/bacsim/bacsim.h"

namespace {

constexpr std::int64_t NS_PER_MS = 1000000;
// An answer leaves up to this much before its due time (delays are whole ms from the arrival): a request
// that comes after it may find its predecessor still counted. Within this margin it has left.
constexpr std::int64_t NS_MARGIN = NS_PER_MS;

// The held requests of one network of the router, those already answered removed.
std::vector<std::int64_t> &Held(BS_QUEUE_Struct &q, std::uint16_t usNet, std::int64_t llNow) {
    auto it = q.vNets.begin();
    while (it != q.vNets.end() && it->first != usNet)
        ++it;
    if (it == q.vNets.end()) it = q.vNets.insert(it, {usNet, {}});
    std::vector<std::int64_t> &v = it->second;
    std::size_t k = 0;
    for (std::int64_t ll : v)
        if (ll > llNow + NS_MARGIN) v[k++] = ll;
    v.resize(k);
    return v;
}

std::vector<std::uint8_t> NetMessage(std::uint8_t ucType, int iReason, std::uint16_t usNet) {
    std::vector<std::uint8_t> v{ucType};
    if (iReason >= 0) v.push_back(static_cast<std::uint8_t>(iReason));
    BS_PUT16(v, usNet);
    return BS_FRAME_BUILD(false, nullptr, v, true);
}

} // namespace

bool BS_QUEUE_LINE(std::istringstream &is, BS_BUILDING &b, std::string &sWhy) {
    unsigned long n = 0;
    std::string sMode, x;
    if (b.vHosts.empty() || (!b.vDevs.empty() && b.vDevs.back().uHost + 1 == b.vHosts.size()))
        return sWhy = "queue belongs to a host, before its devices", false;
    if (!(is >> n) || n == 0 || n > 1000) return sWhy = "queue needs a number 1..1000", false;
    BS_QUEUE_Struct &q = b.vHosts.back().stQueue;
    q.uMax = static_cast<unsigned>(n);
    while (is >> sMode) {
        if (sMode == "iams") {
            q.bIams = true;
            continue;
        }
        if (sMode != "busy" && sMode != "reject")
            return sWhy = "queue N takes busy or reject and iams, not " + sMode, false;
        q.cFull = sMode[0];
    }
    return true;
}

bool BS_QUEUE_FULL(std::size_t uHost, std::uint16_t usNet) {
    BS_QUEUE_Struct &q = stBS_Bld.vHosts[uHost].stQueue;
    return q.bIams && usNet != 0 && Held(q, usNet, BS_NOW_NS()).size() >= q.uMax;
}

bool BS_QUEUE_ROOM(std::size_t uHost, const BS_DEVICE &stDev, std::uint32_t ulIp, std::uint16_t usPort,
                   std::string &sLog) {
    BS_QUEUE_Struct &q = stBS_Bld.vHosts[uHost].stQueue;
    if (q.uMax == 0) return true;
    const std::int64_t llNow = BS_NOW_NS();
    std::vector<std::int64_t> &v = Held(q, stDev.usNet, llNow);
    if (v.size() < q.uMax) return true;
    sLog += " svc=confirmed dev=" + std::to_string(stDev.ulInst);
    if (q.cFull == 'r') {
        BS_SEND(uHost, ulIp, usPort, NetMessage(0x03, 2, stDev.usNet), 0);
        sLog += " answer=reject-busy";
        return false;
    }
    sLog += " answer=queue-full";
    if (q.cFull != 'b') return false;
    BS_SEND(uHost, ulIp, usPort, NetMessage(0x04, -1, stDev.usNet), 0);
    sLog += ":busy";
    for (std::uint16_t us : q.vBusy)
        if (us == stDev.usNet) return false;
    // Available once the earliest held request has been served.
    std::int64_t llFrei = v[0];
    for (std::int64_t ll : v)
        llFrei = ll < llFrei ? ll : llFrei;
    q.vBusy.push_back(stDev.usNet);
    BS_SEND(uHost, ulIp, usPort, NetMessage(0x05, -1, stDev.usNet),
            static_cast<unsigned>((llFrei - llNow + NS_PER_MS - 1) / NS_PER_MS));
    return false;
}

unsigned BS_QUEUE_TAKE(std::size_t uHost, const BS_DEVICE &stDev, unsigned uDelayMs) {
    BS_QUEUE_Struct &q = stBS_Bld.vHosts[uHost].stQueue;
    if (q.uMax == 0) return uDelayMs;
    const std::int64_t llNow = BS_NOW_NS();
    std::vector<std::int64_t> &v = Held(q, stDev.usNet, llNow);
    std::int64_t llStart = llNow;
    for (std::int64_t ll : v)
        llStart = ll > llStart ? ll : llStart;
    const std::int64_t llDue = llStart + static_cast<std::int64_t>(uDelayMs) * NS_PER_MS;
    v.push_back(llDue);
    for (std::size_t i = 0; i < q.vBusy.size(); i++)
        if (q.vBusy[i] == stDev.usNet) q.vBusy.erase(q.vBusy.begin() + static_cast<long>(i));
    return static_cast<unsigned>((llDue - llNow + NS_PER_MS - 1) / NS_PER_MS);
}
