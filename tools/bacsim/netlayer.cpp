// The network layer of a router host: it tells who asks which networks it is a router to, the number of its
// own B/IP network, and its routing table (read only: a request that would change it is not taken). A router
// may claim a network it does not route (one another router has: a duplicate network number), and route one
// it never tells of (a gateway's virtual network, whose devices answer a Who-Is of the router's own network).
#include "tools/bacsim/bacsim.h"
#include <algorithm>

namespace {

bool Has(const std::vector<std::uint16_t> &v, std::uint16_t us) {
    return std::find(v.begin(), v.end(), us) != v.end();
}

// The networks a router host names: those of its devices it does not hide, then those it only claims.
std::vector<std::uint16_t> Announced(const BS_HOST &h) {
    std::vector<std::uint16_t> v;
    for (std::uint16_t us : h.vNets)
        if (!Has(h.stNl.vHidden, us)) v.push_back(us);
    for (std::uint16_t us : h.stNl.vClaims)
        if (!Has(v, us)) v.push_back(us);
    return v;
}

bool IsRouter(const BS_HOST &h) {
    return h.stNl.bRouter || !h.vNets.empty() || !h.stNl.vClaims.empty();
}

// Initialize-Routing-Table-Ack of the whole table: its own network on port 1, then each network it names on a
// port of its own, with no port information.
std::vector<std::uint8_t> Table(const BS_HOST &h) {
    std::vector<std::uint8_t> v{0x07, 0};
    std::uint8_t ucPort = 1;
    auto Row = [&](std::uint16_t us, std::uint8_t ucId) {
        BS_PUT16(v, us);
        v.push_back(ucId);
        v.push_back(0);
        ++v[1];
    };
    if (h.stNl.usOwnNet != 0) Row(h.stNl.usOwnNet, ucPort);
    for (std::uint16_t us : Announced(h))
        Row(us, ++ucPort);
    return v;
}

} // namespace

int BS_NETLAYER_LINE(const std::string &sKey, std::istringstream &is, BS_BUILDING &stBld, std::string &sWhy) {
    if (sKey != "network" && sKey != "router" && sKey != "claims" && sKey != "hide") return -1;
    if (stBld.vHosts.empty() || stBld.vHosts.back().bBbmd)
        return sWhy = sKey + " belongs to a router host", 0;
    BS_NETLAYER_Struct &n = stBld.vHosts.back().stNl;
    std::string a, x;
    if (sKey == "router") {
        n.bRouter = true;
    } else {
        if (!(is >> a) || a.find_first_not_of("0123456789") != std::string::npos || a.size() > 5 ||
            std::stoul(a) == 0 || std::stoul(a) > 65534)
            return sWhy = sKey + " needs a network 1..65534", 0;
        const auto us = static_cast<std::uint16_t>(std::stoul(a));
        if (sKey == "network") n.usOwnNet = us;
        if (sKey == "claims") n.vClaims.push_back(us);
        if (sKey == "hide") n.vHidden.push_back(us);
    }
    if (is >> x) return sWhy = "unexpected " + x, 0;
    return 1;
}

bool BS_HIDDEN(const BS_DEVICE &stDev) {
    return stDev.usNet != 0 && Has(stBS_Bld.vHosts[stDev.uHost].stNl.vHidden, stDev.usNet);
}

void BS_NETLAYER(std::size_t uHost, const BS_FRAME &stFr, const std::uint8_t *pBuf, std::string &sLog) {
    const BS_HOST &h = stBS_Bld.vHosts[uHost];
    char c[32];
    std::snprintf(c, sizeof c, " svc=network:%u", stFr.ucNetMsg);
    sLog += c;
    const std::size_t uLen = stFr.uEnd - stFr.uApdu;
    const std::uint8_t *p = pBuf + stFr.uApdu;
    std::vector<std::uint8_t> vMsg;
    bool bBroadcast = true;
    if (stFr.ucNetMsg == 0x00 && IsRouter(h)) {
        // Who-Is-Router-To-Network, for any network or for one the router names.
        const std::vector<std::uint16_t> vNetze = Announced(h);
        if (uLen < 2 || Has(vNetze, static_cast<std::uint16_t>(p[0] << 8 | p[1]))) {
            vMsg = {0x01};
            for (std::uint16_t us : vNetze)
                BS_PUT16(vMsg, us);
        }
    } else if (stFr.ucNetMsg == 0x12 && h.stNl.usOwnNet != 0 && !stFr.bSnet) {
        vMsg = {0x13, 0, 0, 0x01}; // Network-Number-Is, configured
        vMsg[1] = static_cast<std::uint8_t>(h.stNl.usOwnNet >> 8), vMsg[2] = h.stNl.usOwnNet & 0xFF;
    } else if (stFr.ucNetMsg == 0x06 && IsRouter(h) && uLen >= 1 && p[0] == 0) {
        vMsg = Table(h);
        bBroadcast = false;
    }
    if (vMsg.empty()) {
        sLog +=
            stFr.ucNetMsg == 0x06 && uLen >= 1 && p[0] != 0 ? " answer=none why=read-only" : " answer=none";
        return;
    }
    static const char *const aName[] = {"i-am-router", "network-number-is", "routing-table"};
    sLog += std::string(" answer=") + aName[vMsg[0] == 0x01 ? 0 : vMsg[0] == 0x13 ? 1 : 2];
    BS_SEND(uHost, bBroadcast ? h.ulBcast : stFr.ulOrigIp, bBroadcast ? h.usPort : stFr.usOrigPort,
            BS_FRAME_BUILD(bBroadcast, nullptr, vMsg, true), 0);
}
