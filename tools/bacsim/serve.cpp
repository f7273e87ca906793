// Takes one received frame for a simulated host: picks the devices it is meant for (directly, or behind the
// host's router by DNET/DADR) and answers it the way a BACnet/IP device or router does.
#include "tools/bacsim/bacsim.h"
#include <unordered_map>

namespace {

std::string Hex(const std::vector<std::uint8_t> &v) {
    std::string s;
    char c[4];
    for (std::uint8_t b : v) {
        std::snprintf(c, sizeof c, "%02X", b);
        s += c;
    }
    return s.empty() ? "-" : s;
}

bool Routes(const BS_HOST &h, std::uint16_t usNet) {
    for (std::uint16_t n : h.vNets)
        if (n == usNet) return true;
    return false;
}

// A device by its host, network (0 = direct) and MAC address, which the description keeps unique.
std::string DeviceKey(std::size_t uHost, std::uint16_t usNet, const std::vector<std::uint8_t> &vMac) {
    std::string s = std::to_string(uHost) + ":" + std::to_string(usNet) + ":";
    s.append(vMac.begin(), vMac.end());
    return s;
}

std::unordered_map<std::string, std::size_t> mDevices;
const BS_DEVICE *pIndexed = nullptr;

std::vector<BS_DEVICE *> Targets(std::size_t uHost, const BS_FRAME &fr) {
    std::vector<BS_DEVICE *> v;
    // A request names one device: looked up, not searched, so thousands of devices behind one router do
    // not slow every answer down.
    if (!fr.bDnet || (fr.usDnet != 0xFFFF && !fr.vDadr.empty())) {
        if (pIndexed != stBS_Bld.vDevs.data() || mDevices.size() != stBS_Bld.vDevs.size()) {
            mDevices.clear();
            for (std::size_t i = 0; i < stBS_Bld.vDevs.size(); ++i) {
                const BS_DEVICE &d = stBS_Bld.vDevs[i];
                mDevices[DeviceKey(d.uHost, d.usNet, d.vMac)] = i;
            }
            pIndexed = stBS_Bld.vDevs.data();
        }
        auto it = mDevices.find(
            DeviceKey(uHost, fr.bDnet ? fr.usDnet : 0, fr.bDnet ? fr.vDadr : std::vector<std::uint8_t>{}));
        if (it != mDevices.end()) v.push_back(&stBS_Bld.vDevs[it->second]);
        return v;
    }
    for (BS_DEVICE &d : stBS_Bld.vDevs)
        if (d.uHost == uHost && BS_ADDRESSED(d, fr)) v.push_back(&d);
    return v;
}

// The route a request took goes before the answer in its log line.
std::string WithVia(std::string sLog, const std::string &sVia) {
    std::size_t uPos = sLog.rfind(" answer=");
    return sLog.insert(uPos == std::string::npos ? sLog.size() : uPos, sVia);
}

// Milliseconds after which an answer of the device goes out a second time: the narrowest of device, host and
// building that gives a duplicate fault; -1 = never.
long DupMs(const BS_DEVICE &d) {
    long lHost = stBS_Bld.vHosts[d.uHost].lDupMs;
    return d.lDupMs >= 0 ? d.lDupMs : (lHost >= 0 ? lHost : stBS_Bld.lDupMs);
}

} // namespace

// Local devices of a host (and those of a network it hides) without DNET, all of them with DNET 65535, else
// the ones on that network (the one with that MAC address when DADR names one). The caller has already
// matched the host.
bool BS_ADDRESSED(const BS_DEVICE &stDev, const BS_FRAME &stFr) {
    if (!stFr.bDnet) return stDev.usNet == 0 || BS_HIDDEN(stDev);
    return stFr.usDnet == 0xFFFF ||
           (stDev.usNet == stFr.usDnet && (stFr.vDadr.empty() || stFr.vDadr == stDev.vMac));
}

void BS_SERVE(std::size_t uHost, bool bViaBroadcast, std::uint32_t ulSrcIp, std::uint16_t usSrcPort,
              const std::uint8_t *pBuf, std::size_t uLen) {
    const BS_HOST &h = stBS_Bld.vHosts[uHost];
    if (h.bBbmd) return BS_BBMD(uHost, bViaBroadcast, ulSrcIp, usSrcPort, pBuf, uLen);
    std::string sLog = "host=" + BS_IPTEXT(h.ulIp, h.usPort) + " from=" + BS_IPTEXT(ulSrcIp, usSrcPort);
    BS_FRAME fr;
    const char *cWhy = BS_PARSE(pBuf, uLen, ulSrcIp, usSrcPort, fr);
    if (*cWhy != '\0') {
        BS_LOG(sLog + " svc=invalid why=" + cWhy);
        return;
    }
    sLog += fr.ucFunc == 0x04 ? " bvlc=forwarded"
                              : (fr.ucFunc == 0x0B || bViaBroadcast ? " bvlc=broadcast" : " bvlc=unicast");
    if (fr.ucFunc == 0x04) sLog += " orig=" + BS_IPTEXT(fr.ulOrigIp, fr.usOrigPort);
    if (fr.ucCtrl & 0x80) {
        BS_NETLAYER(uHost, fr, pBuf, sLog);
        BS_LOG(sLog);
        return;
    }
    std::string sVia = !fr.bDnet ? " via=direct" : (fr.usDnet == 0xFFFF ? " via=global" : " via=routed");
    if (fr.bDnet) sVia += " dnet=" + std::to_string(fr.usDnet) + " dadr=" + Hex(fr.vDadr);
    if (fr.bDnet && fr.usDnet != 0xFFFF && !Routes(h, fr.usDnet)) {
        // A plain node drops what is meant for another network; a router that does not know the network
        // says so to the node that asked it directly.
        if (h.vNets.empty() || bViaBroadcast || fr.ucFunc == 0x0B) {
            BS_LOG(WithVia(sLog + " svc=any answer=none", sVia));
            return;
        }
        std::vector<std::uint8_t> vMsg{0x03, 0x01};
        BS_PUT16(vMsg, fr.usDnet);
        BS_SEND(uHost, fr.ulOrigIp, fr.usOrigPort, BS_FRAME_BUILD(false, nullptr, vMsg, true), 0);
        BS_LOG(WithVia(sLog + " svc=any answer=reject-network", sVia));
        return;
    }
    std::uint8_t ucType = pBuf[fr.uApdu] & 0xF0;
    std::size_t uApduLen = fr.uEnd - fr.uApdu;
    if (ucType == 0x10) {
        if (uApduLen >= 2 && pBuf[fr.uApdu + 1] == 0x08) {
            BS_WHOIS(uHost, fr, pBuf, sLog);
            BS_LOG(WithVia(sLog, sVia));
        } else {
            BS_LOG(sLog + " svc=unconfirmed:" + std::to_string(uApduLen >= 2 ? pBuf[fr.uApdu + 1] : 256) +
                   sVia);
        }
        return;
    }
    if (ucType != 0x00) {
        // Answers to what the simulator sent itself (Simple-ACK of a COV notification and the like).
        static const char *const aNames[] = {"",      "",       "simple-ack", "complex-ack", "segment-ack",
                                             "error", "reject", "abort"};
        std::string sName = ucType >> 4 < 8 ? aNames[ucType >> 4] : "apdu:" + std::to_string(ucType >> 4);
        std::string sInv = uApduLen >= 2 ? std::to_string(pBuf[fr.uApdu + 1]) : "-";
        sLog += " svc=" + sName + " invoke=" + sInv + sVia;
        if (ucType == 0x40 || ucType == 0x70) BS_SEG_ACK(uHost, fr, pBuf, sLog);
        BS_LOG(sLog);
        return;
    }
    std::vector<BS_DEVICE *> vTo = Targets(uHost, fr);
    if (uApduLen < 4 || vTo.size() != 1 || fr.ucFunc == 0x0B || bViaBroadcast) {
        // Confirmed requests are answered only when they name one device and came by unicast.
        BS_LOG(WithVia(sLog + " svc=confirmed devices=" + std::to_string(vTo.size()) + " answer=none", sVia));
        return;
    }
    BS_DEVICE &d = *vTo[0];
    if (d.usNet != 0 && !BS_QUEUE_ROOM(uHost, d, fr.ulOrigIp, fr.usOrigPort, sLog)) {
        BS_LOG(WithVia(sLog, sVia));
        return;
    }
    std::vector<std::uint8_t> vApdu;
    unsigned uDelay = 0;
    bool bSilent = false;
    std::uint8_t ucService = pBuf[fr.uApdu + 3];
    bool bSegmented = (pBuf[fr.uApdu] & 0x08) != 0;
    if (!bSegmented && ucService == 12) {
        BS_READPROP(d, fr, pBuf, sLog, vApdu, uDelay, bSilent);
    } else if (!bSegmented && ucService == 14 && d.bRpm) {
        BS_RPM(d, fr, pBuf, sLog, vApdu, uDelay, bSilent);
    } else if (BS_LOST(d, nullptr)) {
        bSilent = true;
        sLog += " svc=confirmed:" + std::to_string(ucService) + " dev=" + std::to_string(d.ulInst) +
                " answer=lost";
    } else if (BS_SILENT(d.stFaults)) {
        bSilent = true;
        sLog += " svc=confirmed:" + std::to_string(ucService) + " dev=" + std::to_string(d.ulInst) +
                " answer=silent";
    } else if (bSegmented) {
        vApdu = {0x71, pBuf[fr.uApdu + 2], 4}; // Abort: segmented requests are not taken
        sLog += " svc=confirmed-segmented dev=" + std::to_string(d.ulInst) + " answer=abort:4";
    } else {
        vApdu = {0x60, pBuf[fr.uApdu + 2], 9}; // Reject: unrecognized service
        sLog += " svc=confirmed:" + std::to_string(ucService) + " dev=" + std::to_string(d.ulInst) +
                " invoke=" + std::to_string(pBuf[fr.uApdu + 2]) + " answer=reject:9";
    }
    // An answer too long for one APDU, to a request that takes segments: in segments, window by window.
    const std::uint8_t *pApdu = pBuf + fr.uApdu;
    static constexpr unsigned aMax[6] = {50, 128, 206, 480, 1024, 1476};
    const unsigned uMax = std::min((pApdu[1] & 0x0F) < 6 ? aMax[pApdu[1] & 0x0F] : 1476u, d.uMaxApdu);
    if (!bSilent && !vApdu.empty() && vApdu[0] == 0x30 && vApdu.size() > uMax && BS_SEG_TAKES(d, pApdu)) {
        std::string sSeg = sLog.substr(0, sLog.rfind(" answer="));
        if (BS_SEG_SEND(uHost, d, fr, pApdu, vApdu, uDelay, sSeg)) {
            BS_LOG(WithVia(sSeg, sVia));
            return;
        }
        vApdu = {0x71, pApdu[2], 1}; // Abort: more segments than the requester takes
        sLog = sSeg + " answer=abort:1";
    }
    if (!bSilent && BS_DROPPED(d, vApdu, sLog)) bSilent = true;
    std::vector<std::uint8_t> vFrame = BS_FRAME_BUILD(false, &d, vApdu);
    if (!bSilent && d.usNet != 0 && BS_TRUNK(uHost, d.usNet))
        uDelay = BS_TRUNK_TAKE(uHost, d.usNet, uLen, {vFrame.size()}, uDelay, false, sLog)[0];
    else if (!bSilent && d.usNet != 0)
        uDelay = BS_QUEUE_TAKE(uHost, d, uDelay);
    sLog = WithVia(sLog, sVia);
    BS_LOG(sLog);
    if (bSilent) return;
    BS_SEND(uHost, fr.ulOrigIp, fr.usOrigPort, vFrame, uDelay);
    long lDup = DupMs(d);
    // The copy is logged like its original, as it leaves.
    if (lDup >= 0)
        BS_SEND(uHost, fr.ulOrigIp, fr.usOrigPort, vFrame, uDelay + static_cast<unsigned>(lDup),
                sLog.substr(0, sLog.rfind(" answer=")) + " answer=dup");
}
