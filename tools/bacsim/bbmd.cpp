// A BBMD host: it links its subnet with the subnets of its peers, and takes foreign devices that register
// with it. A broadcast of its own subnet goes to every peer and foreign device as a Forwarded-NPDU that names
// the original sender; a Forwarded-NPDU a peer sends it goes into its own subnet and to its foreign devices;
// a foreign device's Distribute-Broadcast-To-Network goes everywhere but back to that device. Peers are
// reached by unicast (a directed broadcast does not cross the router of the bench).
#include "tools/bacsim/bacsim.h"
#include <algorithm>

namespace {

// A registration is kept this long beyond its time-to-live.
constexpr std::int64_t llGraceNs = 30LL * 1000000000;
enum { NAK_REGISTER, NAK_DELETE, NAK_DISTRIBUTE };

std::vector<std::uint8_t> Result(unsigned uCode) {
    return {0x81, 0x00, 0x00, 0x06, static_cast<std::uint8_t>(uCode >> 8), static_cast<std::uint8_t>(uCode)};
}

// The NPDU from pBuf + uFrom up to uLen as a Forwarded-NPDU from ulIp:usPort.
std::vector<std::uint8_t> Forwarded(std::uint32_t ulIp, std::uint16_t usPort, const std::uint8_t *pBuf,
                                    std::size_t uFrom, std::size_t uLen) {
    std::vector<std::uint8_t> v{0x81, 0x04, 0, 0};
    BS_PUT32(v, ulIp);
    BS_PUT16(v, usPort);
    v.insert(v.end(), pBuf + uFrom, pBuf + uLen);
    v[2] = static_cast<std::uint8_t>(v.size() >> 8);
    v[3] = static_cast<std::uint8_t>(v.size());
    return v;
}

// A forwarded frame to the peers (bPeers), into the own subnet (bLocal) and to every foreign device but the
// one it came from: how many frames went out.
unsigned Distribute(std::size_t uHost, const std::vector<std::uint8_t> &vFwd, bool bPeers, bool bLocal,
                    std::uint32_t ulOrig, std::uint16_t usOrig) {
    const BS_HOST &h = stBS_Bld.vHosts[uHost];
    unsigned n = 0;
    for (const auto &[ulIp, usPort] : h.stBbmd.vBdt)
        if (bPeers && (ulIp != h.ulIp || usPort != h.usPort)) BS_SEND(uHost, ulIp, usPort, vFwd, 0), ++n;
    if (bLocal) BS_SEND(uHost, h.ulBcast, h.usPort, vFwd, 0), ++n;
    for (const BS_FDT &f : h.stBbmd.vFdt)
        if (f.ulIp != ulOrig || f.usPort != usOrig) BS_SEND(uHost, f.ulIp, f.usPort, vFwd, 0), ++n;
    return n;
}

// The B/IP address (4 bytes address, 2 bytes port) at p.
std::pair<std::uint32_t, std::uint16_t> Bip(const std::uint8_t *p) {
    return {(static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3],
            static_cast<std::uint16_t>((p[4] << 8) | p[5])};
}

// Counts a message of the kind and tells whether a "nak" line refuses it.
bool Refused(BS_BBMD_Struct &m, int iKind) {
    ++m.aCount[iKind];
    return m.aNakFrom[iKind] != 0 && m.aCount[iKind] >= m.aNakFrom[iKind];
}

} // namespace

bool BS_BBMD_LINE(const std::string &sKey, std::istringstream &is, BS_BUILDING &stBld, std::string &sWhy) {
    if (stBld.vHosts.empty() || !stBld.vHosts.back().bBbmd)
        return sWhy = sKey + " belongs to a bbmd host", false;
    BS_BBMD_Struct &m = stBld.vHosts.back().stBbmd;
    std::string a, b, x;
    if (!(is >> a)) return sWhy = sKey + " needs a value", false;
    if (sKey == "bdt") {
        std::uint32_t ulIp = 0;
        std::uint16_t usPort = 0;
        if (!BS_ENDPOINT(a, ulIp, usPort, sWhy)) return false;
        m.vBdt.emplace_back(ulIp, usPort);
    } else {
        const int iKind = a == "register"     ? NAK_REGISTER
                          : a == "delete"     ? NAK_DELETE
                          : a == "distribute" ? NAK_DISTRIBUTE
                                              : -1;
        if (iKind < 0) return sWhy = "nak needs register, delete or distribute", false;
        m.aNakFrom[iKind] = 1;
        if ((is >> b) && (b.find_first_not_of("0123456789") != std::string::npos || b.size() > 9 ||
                          (m.aNakFrom[iKind] = static_cast<std::uint32_t>(std::stoul(b))) == 0))
            return sWhy = "nak " + a + " takes a count from 1", false;
    }
    if (is >> x) return sWhy = "unexpected " + x, false;
    return true;
}

void BS_BBMD(std::size_t uHost, bool bViaBroadcast, std::uint32_t ulSrcIp, std::uint16_t usSrcPort,
             const std::uint8_t *pBuf, std::size_t uLen) {
    BS_HOST &h = stBS_Bld.vHosts[uHost];
    BS_BBMD_Struct &m = h.stBbmd;
    const std::int64_t llNow = BS_NOW_NS();
    std::erase_if(m.vFdt, [llNow](const BS_FDT &f) { return f.llEndsNs <= llNow; });
    std::string sLog = "host=" + BS_IPTEXT(h.ulIp, h.usPort) + " from=" + BS_IPTEXT(ulSrcIp, usSrcPort);
    auto Answer = [&](unsigned uCode) {
        BS_SEND(uHost, ulSrcIp, usSrcPort, Result(uCode), 0);
        char c[24];
        std::snprintf(c, sizeof c, uCode == 0 ? " answer=ack" : " answer=nak:%04X", uCode);
        sLog += c;
    };
    auto Entry = [&]() {
        return std::find_if(m.vFdt.begin(), m.vFdt.end(),
                            [&](const BS_FDT &f) { return f.ulIp == ulSrcIp && f.usPort == usSrcPort; });
    };
    const bool bValid =
        uLen >= 4 && pBuf[0] == 0x81 && ((static_cast<std::size_t>(pBuf[2]) << 8) | pBuf[3]) == uLen;
    switch (bValid ? pBuf[1] : 0xFF) {
    case 0x0B:
        sLog += " bvlc=broadcast svc=bbmd answer=forwarded:" +
                std::to_string(Distribute(uHost, Forwarded(ulSrcIp, usSrcPort, pBuf, 4, uLen), true, false,
                                          ulSrcIp, usSrcPort));
        break;
    case 0x04: {
        if (uLen < 10) {
            sLog += " bvlc=forwarded svc=invalid why=short";
            break;
        }
        const auto [ulOrig, usOrig] = Bip(pBuf + 4);
        sLog += " bvlc=forwarded orig=" + BS_IPTEXT(ulOrig, usOrig) + " svc=bbmd answer=forwarded:" +
                std::to_string(Distribute(uHost, std::vector<std::uint8_t>(pBuf, pBuf + uLen), false,
                                          !bViaBroadcast, ulOrig, usOrig));
        break;
    }
    case 0x09:
        sLog += " bvlc=distribute svc=bbmd";
        if (Entry() == m.vFdt.end() || Refused(m, NAK_DISTRIBUTE))
            Answer(0x0060);
        else
            sLog += " answer=forwarded:" +
                    std::to_string(Distribute(uHost, Forwarded(ulSrcIp, usSrcPort, pBuf, 4, uLen), true, true,
                                              ulSrcIp, usSrcPort));
        break;
    case 0x05:
        sLog += " bvlc=register svc=bbmd ttl=" + (uLen == 6 ? std::to_string((pBuf[4] << 8) | pBuf[5]) : "-");
        if (uLen != 6 || Refused(m, NAK_REGISTER)) {
            Answer(0x0030);
        } else {
            auto it = Entry();
            if (it == m.vFdt.end()) it = m.vFdt.insert(m.vFdt.end(), BS_FDT{ulSrcIp, usSrcPort, 0, 0});
            it->usTtl = static_cast<std::uint16_t>((pBuf[4] << 8) | pBuf[5]);
            it->llEndsNs = llNow + it->usTtl * 1000000000LL + llGraceNs;
            Answer(0);
        }
        sLog += " fdt=" + std::to_string(m.vFdt.size());
        break;
    case 0x08: {
        auto it = m.vFdt.end();
        if (uLen == 10) {
            const auto [ulIp, usPort] = Bip(pBuf + 4);
            sLog += " bvlc=delete svc=bbmd entry=" + BS_IPTEXT(ulIp, usPort);
            it = std::find_if(m.vFdt.begin(), m.vFdt.end(),
                              [&](const BS_FDT &f) { return f.ulIp == ulIp && f.usPort == usPort; });
        } else {
            sLog += " bvlc=delete svc=bbmd entry=-";
        }
        if (Refused(m, NAK_DELETE) || it == m.vFdt.end()) {
            Answer(0x0050);
        } else {
            m.vFdt.erase(it);
            Answer(0);
        }
        sLog += " fdt=" + std::to_string(m.vFdt.size());
        break;
    }
    case 0x02:
    case 0x06:
        sLog +=
            std::string(" bvlc=") + (pBuf[1] == 0x02 ? "read-bdt" : "read-fdt") + " svc=bbmd answer=table";
        BS_SEND(uHost, ulSrcIp, usSrcPort, BS_BBMD_TABLE(h, pBuf[1]), 0);
        break;
    default:
        // The tables are read, not written over the wire; a write is refused as such.
        sLog += bValid ? " bvlc=" + std::to_string(pBuf[1]) + " svc=bbmd" : " svc=invalid why=bvlc";
        if (bValid && pBuf[1] == 0x01)
            Answer(0x0010);
        else
            sLog += " answer=none";
    }
    BS_LOG(sLog);
}
