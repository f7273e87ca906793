// ReadPropertyMultiple on a simulated device: several properties of several objects in one answer, each
// property answered as ReadProperty answers it (a value, or an error inside the answer); and the device
// limits that tests need: no ReadPropertyMultiple at all, a smaller max APDU, silence above an answer size.
#include "tools/bacsim/bacsim.h"
#include <algorithm>
#include <sstream>

namespace {

struct ACCESS {
    std::uint32_t ulObj = 0;
    std::vector<std::pair<std::uint32_t, long>> vProps; // property, array index (-1 = none)
};

// The read-access blocks of the request; 0 or the reject reason.
unsigned Request(const std::uint8_t *p, const std::uint8_t *pEnd, std::vector<ACCESS> &vBlock) {
    BS_TAG t;
    if (p >= pEnd) return 5; // missing required parameter
    while (p < pEnd) {
        ACCESS s;
        if (!BS_TAG_READ(p, pEnd, t) || !t.bCtx || t.bOpen || t.bClose || t.uNum != 0 || t.uLen != 4)
            return 4;
        s.ulObj = BS_TAG_UINT(p, t);
        p += t.uHdr + t.uLen;
        if (!BS_TAG_READ(p, pEnd, t) || !t.bOpen || t.uNum != 1) return 4;
        p += t.uHdr;
        for (;;) {
            if (!BS_TAG_READ(p, pEnd, t)) return 5;
            if (t.bClose && t.uNum == 1) break;
            if (!t.bCtx || t.bOpen || t.bClose || t.uNum != 0 || t.uLen < 1 || t.uLen > 4) return 4;
            const std::uint32_t ulProp = BS_TAG_UINT(p, t);
            p += t.uHdr + t.uLen;
            long lIdx = -1;
            if (BS_TAG_READ(p, pEnd, t) && t.bCtx && !t.bOpen && !t.bClose && t.uNum == 1) {
                if (t.uLen < 1 || t.uLen > 4) return 4;
                lIdx = BS_TAG_UINT(p, t);
                p += t.uHdr + t.uLen;
            }
            s.vProps.emplace_back(ulProp, lIdx);
        }
        p += t.uHdr;
        if (s.vProps.empty()) return 5;
        vBlock.push_back(s);
    }
    return 0;
}

BS_OBJECT *Object(BS_DEVICE &d, std::uint32_t ulObj) {
    const bool bWildcard = ulObj == ((8u << 22) | 0x3FFFFF);
    for (BS_OBJECT &o : d.vObjs)
        if (((o.ulType << 22) | o.ulInst) == ulObj || (bWildcard && o.ulType == 8)) return &o;
    return nullptr;
}

bool Number(const std::string &s, unsigned long ulMin, unsigned long ulMax, unsigned &uOut) {
    if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string::npos) return false;
    const unsigned long ul = std::stoul(s);
    uOut = static_cast<unsigned>(ul);
    return ul >= ulMin && ul <= ulMax;
}

} // namespace

int BS_DEVICE_LIMIT(const std::string &sKey, std::istringstream &is, BS_DEVICE &stDev, bool bInObject,
                    std::string &sWhy) {
    if (sKey != "rpm" && sKey != "max-apdu" && sKey != "drop-above") return -1;
    if (bInObject) return sWhy = sKey + " belongs to a device", 0;
    std::string a, x;
    if (!(is >> a)) return sWhy = sKey + " needs a value", 0;
    if (sKey == "rpm") {
        if (a != "on" && a != "off") return sWhy = "rpm is on or off", 0;
        stDev.bRpm = a == "on";
    } else if (sKey == "max-apdu") {
        if (!Number(a, 50, 1476, stDev.uMaxApdu)) return sWhy = "max-apdu needs 50..1476", 0;
    } else if (!Number(a, 1, 65535, stDev.uDropAbove)) {
        return sWhy = "drop-above needs 1..65535", 0;
    }
    if (is >> x) return sWhy = "unexpected " + x, 0;
    return 1;
}

bool BS_DROPPED(const BS_DEVICE &stDev, const std::vector<std::uint8_t> &vApdu, std::string &sLog) {
    if (stDev.uDropAbove == 0 || vApdu.size() <= stDev.uDropAbove) return false;
    const std::size_t uPos = sLog.rfind(" answer=");
    if (uPos != std::string::npos) sLog.erase(uPos);
    sLog += " answer=dropped:" + std::to_string(vApdu.size());
    return true;
}

void BS_RPM(BS_DEVICE &stDev, const BS_FRAME &stFr, const std::uint8_t *pBuf, std::string &sLog,
            std::vector<std::uint8_t> &vAnswer, unsigned &uDelayMs, bool &bSilent) {
    const std::uint8_t *pApdu = pBuf + stFr.uApdu;
    const std::uint8_t ucInvoke = pApdu[2];
    static constexpr unsigned aMaxApdu[6] = {50, 128, 206, 480, 1024, 1476};
    const unsigned uMax = std::min((pApdu[1] & 0x0F) < 6 ? aMaxApdu[pApdu[1] & 0x0F] : 1476u, stDev.uMaxApdu);
    std::vector<ACCESS> vBlock;
    const unsigned uReject = Request(pApdu + 4, pBuf + stFr.uEnd, vBlock);
    std::size_t uProps = 0;
    for (const ACCESS &s : vBlock)
        uProps += s.vProps.size();
    bool bListe = uProps > 0; // object-list elements alone
    for (const ACCESS &s : vBlock)
        for (const auto &pr : s.vProps)
            bListe = bListe && pr.first == 76;
    sLog += " svc=read-property-multiple dev=" + std::to_string(stDev.ulInst) +
            " objs=" + std::to_string(vBlock.size()) + " props=" + std::to_string(uProps) +
            (bListe ? " prop=76" : "") + " invoke=" + std::to_string(ucInvoke);
    if (BS_LOST(stDev, nullptr)) {
        sLog += " answer=lost";
        bSilent = true;
        return;
    }
    // The device counts the request once, every object named in it once per naming.
    std::vector<BS_OBJECT *> vObj;
    bSilent = BS_SILENT(stDev.stFaults);
    for (const ACCESS &s : vBlock) {
        vObj.push_back(Object(stDev, s.ulObj));
        bSilent = bSilent || (vObj.back() != nullptr && BS_SILENT(vObj.back()->stFaults));
    }
    ++stDev.stFaults.ulCount;
    for (BS_OBJECT *o : vObj)
        if (o != nullptr) ++o->stFaults.ulCount;
    if (bSilent) {
        sLog += " answer=silent";
        return;
    }
    BS_EVENTS_FIRE(stDev, stDev.stFaults, nullptr, stFr.ulOrigIp, stFr.usOrigPort);
    const std::uint64_t ullKey = static_cast<std::uint64_t>(stDev.ulInst) << 32;
    unsigned uObjDelay = 0;
    for (BS_OBJECT *o : vObj)
        if (o != nullptr) {
            BS_EVENTS_FIRE(stDev, o->stFaults, o, stFr.ulOrigIp, stFr.usOrigPort);
            uObjDelay = std::max(uObjDelay, BS_DELAY(o->stFaults, ullKey ^ ((o->ulType << 22) | o->ulInst)));
        }
    uDelayMs = BS_DELAY(stDev.stFaults, ullKey) + uObjDelay;

    // A Reject or Abort injected for one property refuses the whole request.
    auto Whole = [&](char cKind, unsigned uReason) {
        vAnswer = {static_cast<std::uint8_t>(cKind == 'r' ? 0x60 : 0x71), ucInvoke,
                   static_cast<std::uint8_t>(uReason)};
        sLog += std::string(cKind == 'r' ? " answer=reject:" : " answer=abort:") + std::to_string(uReason);
    };
    if (uReject != 0) return Whole('r', uReject);
    vAnswer = {0x30, ucInvoke, 0x0E};
    for (std::size_t i = 0; i < vBlock.size(); ++i) {
        const BS_OBJECT *o = vObj[i];
        BS_TAG_OBJID(vAnswer, 0, o != nullptr ? (o->ulType << 22) | o->ulInst : vBlock[i].ulObj);
        vAnswer.push_back(0x1E);
        for (const auto &[ulProp, lIdx] : vBlock[i].vProps) {
            BS_TAG_UNSIGNED(vAnswer, 2, 0, ulProp);
            if (lIdx >= 0) BS_TAG_UNSIGNED(vAnswer, 3, 0, static_cast<std::uint32_t>(lIdx));
            std::vector<std::uint8_t> vWert;
            BS_PROPFAULT stNein;
            if (BS_PROPVAL(stDev, o, ulProp, lIdx, vWert, stNein)) {
                vAnswer.push_back(0x4E);
                vAnswer.insert(vAnswer.end(), vWert.begin(), vWert.end());
                vAnswer.push_back(0x4F);
            } else if (stNein.cKind == 'e') {
                vAnswer.push_back(0x5E);
                BS_TAG_UNSIGNED(vAnswer, -1, 9, stNein.uA);
                BS_TAG_UNSIGNED(vAnswer, -1, 9, stNein.uB);
                vAnswer.push_back(0x5F);
            } else {
                return Whole(stNein.cKind, stNein.uA);
            }
        }
        vAnswer.push_back(0x1F);
    }
    // The devices do not segment: an answer beyond the requester's or their own limit is refused.
    if (vAnswer.size() > uMax && !BS_SEG_TAKES(stDev, pApdu)) return Whole('a', 4);
    sLog += " answer=ack size=" + std::to_string(vAnswer.size());
}
