// Segmented answers of a simulated device, as a responding BACnet device sends them: an answer too long for
// one APDU goes in segments of the requester's (or the device's) max APDU when the request takes segments,
// the device proposes its window, sends a window and waits for the requester's Segment-ACK, then sends the
// next window from the segment after the one acknowledged (also after a negative one, which names the last
// segment taken in order). An answer needing more segments than the requester takes is refused. Faults for
// tests: a segment lost once, one sent twice, one sent after the one behind it, and a device that ignores
// the requester's limit. And "objects N TYPE": a device with a long object list.
#include "tools/bacsim/bacsim.h"
#include <algorithm>

namespace {

struct LAUF {
    BS_DEVICE *pDev = nullptr;
    std::size_t uHost = 0;
    std::uint32_t ulIp = 0;
    std::uint16_t usPort = 0;
    std::uint8_t ucInvoke = 0, ucDienst = 0;
    std::vector<std::vector<std::uint8_t>> vTeile; // each segment's service data
};
std::vector<LAUF> vLauf;

constexpr unsigned aMaxApdu[6] = {50, 128, 206, 480, 1024, 1476};
constexpr std::size_t SEG_KOPF = 5; // type, invoke id, sequence number, window, service

bool Zahl(const std::string &s, unsigned long ulMax, unsigned &u) {
    if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string::npos) return false;
    const unsigned long ul = std::stoul(s);
    u = static_cast<unsigned>(ul);
    return ul >= 1 && ul <= ulMax;
}

// Sends segments uAb.. of the window (the requester's, at most the device's) through the trunk, if any.
void Fenster(LAUF &l, unsigned uAb, unsigned uFenster, std::size_t uAsked, unsigned uDelayMs, bool bToken,
             std::string &sLog) {
    BS_DEVICE &d = *l.pDev;
    BS_SEG_Struct &s = d.stSeg;
    const unsigned n = static_cast<unsigned>(l.vTeile.size());
    std::vector<std::vector<std::uint8_t>> vFrames;
    std::string sWas;
    for (unsigned i = uAb; i < n && i < uAb + uFenster; i++) {
        std::vector<std::uint8_t> vApdu(SEG_KOPF + l.vTeile[i].size());
        vApdu[0] = static_cast<std::uint8_t>(0x38 | (i + 1 < n ? 0x04 : 0));
        vApdu[1] = l.ucInvoke;
        vApdu[2] = static_cast<std::uint8_t>(i);
        vApdu[3] = static_cast<std::uint8_t>(s.uFenster);
        vApdu[4] = l.ucDienst;
        std::copy(l.vTeile[i].begin(), l.vTeile[i].end(), vApdu.begin() + SEG_KOPF);
        ++s.uGesendet;
        if (s.uGesendet == s.uVerlieren) {
            sWas += " lost:" + std::to_string(i);
            continue;
        }
        vFrames.push_back(BS_FRAME_BUILD(false, &d, vApdu));
        if (s.uGesendet == s.uDoppelt) vFrames.push_back(vFrames.back()), sWas += " dup:" + std::to_string(i);
        if (s.uGesendet == s.uTauschen + 1 && vFrames.size() >= 2) {
            std::swap(vFrames[vFrames.size() - 1], vFrames[vFrames.size() - 2]);
            sWas += " swapped:" + std::to_string(i);
        }
    }
    sLog += " answer=segments:" + std::to_string(uAb) + "-" +
            std::to_string(std::min(n, uAb + uFenster) - 1) + "/" + std::to_string(n) + sWas;
    std::vector<std::size_t> vLen;
    for (const auto &f : vFrames)
        vLen.push_back(f.size());
    const std::vector<unsigned> vMs =
        d.usNet != 0 ? BS_TRUNK_TAKE(l.uHost, d.usNet, uAsked, vLen, uDelayMs, bToken, sLog)
                     : std::vector<unsigned>(vFrames.size(), uDelayMs);
    for (std::size_t i = 0; i < vFrames.size(); i++)
        BS_SEND(l.uHost, l.ulIp, l.usPort, vFrames[i], vMs[i]);
}

} // namespace

int BS_SEG_LINE(const std::string &sKey, std::istringstream &is, BS_DEVICE &stDev, bool bInObject,
                std::string &sWhy) {
    if (sKey != "segmentation" && sKey != "segment-fault" && sKey != "objects") return -1;
    if (bInObject) return sWhy = sKey + " belongs to a device", 0;
    std::string a, b, x;
    BS_SEG_Struct &s = stDev.stSeg;
    if (sKey == "segmentation") {
        if (!(is >> a) || !Zahl(a, 127, s.uFenster)) return sWhy = "segmentation needs a window 1..127", 0;
    } else if (sKey == "segment-fault") {
        if (!(is >> a)) return sWhy = "segment-fault needs lose|dup|swap N or past-max", 0;
        if (a == "past-max") {
            s.bUeberMax = true;
        } else {
            unsigned *p = a == "lose"   ? &s.uVerlieren
                          : a == "dup"  ? &s.uDoppelt
                          : a == "swap" ? &s.uTauschen
                                        : nullptr;
            if (p == nullptr || !(is >> b) || !Zahl(b, 100000, *p))
                return sWhy = "segment-fault needs lose|dup|swap N (from 1) or past-max", 0;
        }
    } else {
        unsigned n = 0;
        const long lTyp = is >> a >> b && Zahl(a, 60000, n) ? BS_OBJTYPE(b) : -1;
        if (lTyp < 0) return sWhy = "objects needs N (1..60000) and an object type", 0;
        for (unsigned i = 1; i <= n; i++) {
            BS_OBJECT o;
            o.ulType = static_cast<std::uint32_t>(lTyp);
            o.ulInst = 100000 + i;
            BS_PROP p;
            p.ulId = 77;
            p.stVal.cKind = 'c';
            p.stVal.sText = "OBJ" + std::to_string(o.ulInst);
            o.vProps.push_back(p);
            if (lTyp <= 2) { // analog: units
                p.ulId = 117;
                p.stVal = BS_VALUE{};
                p.stVal.cKind = 'e';
                p.stVal.dNum = 62;
                o.vProps.push_back(p);
            }
            stDev.vObjs.push_back(o);
        }
    }
    if (is >> x) return sWhy = "unexpected " + x, 0;
    return 1;
}

bool BS_SEG_TAKES(const BS_DEVICE &stDev, const std::uint8_t *pApdu) {
    return stDev.stSeg.uFenster > 0 && (pApdu[0] & 0x02) != 0;
}

bool BS_SEG_SEND(std::size_t uHost, BS_DEVICE &stDev, const BS_FRAME &stFr, const std::uint8_t *pApdu,
                 const std::vector<std::uint8_t> &vApdu, unsigned uDelayMs, std::string &sLog) {
    const unsigned uCode = (pApdu[1] >> 4) & 0x07;
    const unsigned uMaxSeg = uCode == 0 || uCode == 7 ? 256 : 1u << uCode;
    const unsigned uMax = std::min((pApdu[1] & 0x0F) < 6 ? aMaxApdu[pApdu[1] & 0x0F] : 1476u, stDev.uMaxApdu);
    const std::size_t uTeil = uMax - SEG_KOPF;
    LAUF l;
    l.pDev = &stDev;
    l.uHost = uHost;
    l.ulIp = stFr.ulOrigIp;
    l.usPort = stFr.usOrigPort;
    l.ucInvoke = vApdu[1];
    l.ucDienst = vApdu[2];
    for (std::size_t i = 3; i < vApdu.size(); i += uTeil)
        l.vTeile.emplace_back(vApdu.begin() + static_cast<long>(i),
                              vApdu.begin() + static_cast<long>(std::min(vApdu.size(), i + uTeil)));
    if (l.vTeile.size() > 256 || (l.vTeile.size() > uMaxSeg && !stDev.stSeg.bUeberMax)) return false;
    std::erase_if(vLauf, [&](const LAUF &x) {
        return x.ulIp == l.ulIp && x.usPort == l.usPort && x.ucInvoke == l.ucInvoke;
    });
    vLauf.push_back(l);
    sLog += " size=" + std::to_string(vApdu.size());
    Fenster(vLauf.back(), 0, stDev.stSeg.uFenster, stFr.uEnd, uDelayMs, false, sLog);
    return true;
}

void BS_SEG_ACK(std::size_t uHost, const BS_FRAME &stFr, const std::uint8_t *pBuf, std::string &sLog) {
    const std::uint8_t *a = pBuf + stFr.uApdu;
    const bool bAbort = (a[0] & 0xF0) == 0x70;
    if (stFr.uEnd - stFr.uApdu < (bAbort ? 3u : 4u)) return;
    auto it = std::find_if(vLauf.begin(), vLauf.end(), [&](const LAUF &x) {
        return x.ulIp == stFr.ulOrigIp && x.usPort == stFr.usOrigPort && x.ucInvoke == a[1] &&
               x.uHost == uHost;
    });
    if (bAbort) {
        sLog += " reason=" + std::to_string(a[2]);
        if (it != vLauf.end()) vLauf.erase(it);
        return;
    }
    const bool bNak = (a[0] & 0x02) != 0;
    sLog += std::string(" seq=") + std::to_string(a[2]) + " window=" + std::to_string(a[3]) +
            (bNak ? " nak" : "");
    if (it == vLauf.end()) return;
    const unsigned uNext = a[2] + 1u, n = static_cast<unsigned>(it->vTeile.size());
    if (uNext >= n) { // the last one is taken: done
        vLauf.erase(it);
        return;
    }
    const unsigned uFenster = std::clamp(static_cast<unsigned>(a[3]), 1u, it->pDev->stSeg.uFenster);
    Fenster(*it, uNext, uFenster, stFr.uEnd, 0, true, sLog);
}
