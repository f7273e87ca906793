// ReadProperty on a simulated device: the device object with its object list, the data-point objects with
// the properties the description gives, and the refusals, delays and silence injected for tests.
#include "tools/bacsim/bacsim.h"
#include <algorithm>

namespace {

constexpr unsigned aMaxApdu[6] = {50, 128, 206, 480, 1024, 1476};

const BS_VALUE *Given(const BS_OBJECT &o, std::uint32_t ulProp) {
    for (const BS_PROP &p : o.vProps)
        if (p.ulId == ulProp) return &p.stVal;
    return nullptr;
}

// Properties every object has, and the fixed ones of the device object; false when the object lacks it.
bool Implicit(const BS_DEVICE &d, const BS_OBJECT &o, std::uint32_t ulProp, BS_VALUE &v) {
    std::uint32_t ulNum = 0xFFFFFFFF;
    v.cKind = 'u';
    if (ulProp == 75) {
        v.cKind = 'o';
        v.dNum = static_cast<double>((o.ulType << 22) | o.ulInst);
        return true;
    }
    if (ulProp == 79) {
        v.cKind = 'e';
        v.dNum = o.ulType;
        return true;
    }
    if (o.ulType != 8) return false;
    switch (ulProp) {
    case 62:
        ulNum = d.uMaxApdu;
        break;
    case 98:
        ulNum = 1;
        break;
    case 120:
        ulNum = d.uVendor;
        break;
    case 139:
        ulNum = 14;
        break;
    case 107:
        v.cKind = 'e', ulNum = d.stSeg.uFenster > 0 ? 1 : 3;
        break; // segmented-transmit, or no segmentation
    case 112:
        v.cKind = 'e', ulNum = 0;
        break; // operational
    default:
        return false;
    }
    v.dNum = ulNum;
    return true;
}

void EncodeObjId(std::vector<std::uint8_t> &v, const BS_OBJECT &o) {
    BS_TAG_OBJID(v, -1, (o.ulType << 22) | o.ulInst);
}

// Reads objid, property and optional array index; 0 or the reject reason.
unsigned Request(const std::uint8_t *p, const std::uint8_t *pEnd, std::uint32_t &ulObj, std::uint32_t &ulProp,
                 long &lIdx) {
    BS_TAG t;
    if (!BS_TAG_READ(p, pEnd, t)) return 5;              // missing required parameter
    if (!t.bCtx || t.uNum != 0 || t.uLen != 4) return 4; // invalid tag
    ulObj = BS_TAG_UINT(p, t);
    p += t.uHdr + t.uLen;
    if (!BS_TAG_READ(p, pEnd, t)) return 5;
    if (!t.bCtx || t.uNum != 1 || t.uLen < 1 || t.uLen > 4) return 4;
    ulProp = BS_TAG_UINT(p, t);
    p += t.uHdr + t.uLen;
    lIdx = -1;
    if (p == pEnd) return 0;
    if (!BS_TAG_READ(p, pEnd, t) || !t.bCtx || t.uNum != 2 || t.uLen < 1 || t.uLen > 4) return 4;
    lIdx = BS_TAG_UINT(p, t);
    p += t.uHdr + t.uLen;
    return p == pEnd ? 0 : 7; // too many arguments
}

const BS_PROPFAULT *Injected(const BS_FAULTS &f, std::uint32_t ulProp) {
    for (const BS_PROPFAULT &pf : f.vProp)
        if (pf.ulProp == ulProp || pf.ulProp == 0xFFFFFFFF) return &pf;
    return nullptr;
}

} // namespace

unsigned BS_DELAY(const BS_FAULTS &f, std::uint64_t ullKey) {
    if (f.uJitterMs == 0) return f.uDelayMs;
    const double d = BS_DRAW(ullKey ^ 0x4A49545445520000ULL, f.ulArrived) * (2.0 * f.uJitterMs + 1);
    return f.uDelayMs - f.uJitterMs + static_cast<unsigned>(d);
}

bool BS_PROPVAL(const BS_DEVICE &stDev, const BS_OBJECT *pObj, std::uint32_t ulProp, long lIdx,
                std::vector<std::uint8_t> &vWert, BS_PROPFAULT &stNein) {
    auto Refuse = [&](unsigned uA, unsigned uB) {
        stNein = BS_PROPFAULT{ulProp, 'e', uA, uB};
        return false;
    };
    if (pObj == nullptr) return Refuse(1, 31); // object, unknown object
    const BS_PROPFAULT *pF = Injected(pObj->stFaults, ulProp);
    pF = pF != nullptr ? pF : Injected(stDev.stFaults, ulProp);
    if (pF != nullptr) {
        stNein = *pF;
        return false;
    }
    const BS_VALUE *pVal = Given(*pObj, ulProp);
    BS_VALUE stImplicit;
    if (pVal == nullptr && Implicit(stDev, *pObj, ulProp, stImplicit)) pVal = &stImplicit;
    bool bList = pObj->ulType == 8 && ulProp == 76;
    bool bArray = bList || (pVal != nullptr && pVal->cKind == 'a');
    std::size_t uCount = bList ? stDev.vObjs.size() : (bArray ? pVal->vList.size() : 0);
    if (pVal == nullptr && !bList) return Refuse(2, 32);        // property, unknown property
    if (lIdx >= 0 && !bArray) return Refuse(2, 50);             // property is not an array
    if (lIdx > static_cast<long>(uCount)) return Refuse(2, 42); // invalid array index
    if (lIdx == 0) {
        BS_TAG_UNSIGNED(vWert, -1, 2, static_cast<std::uint32_t>(uCount));
    } else if (bList) {
        for (std::size_t i = 0; i < uCount; ++i)
            if (lIdx < 0 || static_cast<std::size_t>(lIdx) == i + 1) EncodeObjId(vWert, stDev.vObjs[i]);
    } else if (bArray && lIdx > 0) {
        BS_TAG_TEXT(vWert, pVal->vList[static_cast<std::size_t>(lIdx - 1)], pVal->ucCharset);
    } else if (pVal->cKind == 'o') {
        BS_TAG_OBJID(vWert, -1, static_cast<std::uint32_t>(pVal->dNum));
    } else {
        BS_TAG_VALUE(vWert, *pVal, pVal->ucCharset);
    }
    return true;
}

bool BS_SILENT(const BS_FAULTS &stFaults) {
    return stFaults.lSilentAfter >= 0 &&
           stFaults.ulCount >= static_cast<std::uint32_t>(stFaults.lSilentAfter);
}

void BS_READPROP(BS_DEVICE &stDev, const BS_FRAME &stFr, const std::uint8_t *pBuf, std::string &sLog,
                 std::vector<std::uint8_t> &vAnswer, unsigned &uDelayMs, bool &bSilent) {
    const std::uint8_t *pApdu = pBuf + stFr.uApdu;
    std::uint8_t ucInvoke = pApdu[2];
    unsigned uMax = (pApdu[1] & 0x0F) < 6 ? aMaxApdu[pApdu[1] & 0x0F] : 1476;
    std::uint32_t ulObj = 0, ulProp = 0;
    long lIdx = -1;
    unsigned uReject = Request(pApdu + 4, pBuf + stFr.uEnd, ulObj, ulProp, lIdx);
    char cBuf[160];
    std::snprintf(cBuf, sizeof cBuf, " svc=read-property dev=%u obj=%u:%u prop=%u idx=%s invoke=%u",
                  stDev.ulInst, ulObj >> 22, ulObj & 0x3FFFFF, ulProp,
                  lIdx < 0 ? "-" : std::to_string(lIdx).c_str(), ucInvoke);
    sLog += cBuf;
    std::string sAnswer;
    auto Refuse = [&](char cKind, unsigned uA, unsigned uB) {
        if (cKind == 'e') {
            vAnswer = {0x50,
                       ucInvoke,
                       0x0C,
                       0x91,
                       static_cast<std::uint8_t>(uA),
                       0x91,
                       static_cast<std::uint8_t>(uB)};
            sAnswer = "error:" + std::to_string(uA) + ":" + std::to_string(uB);
        } else {
            vAnswer = {static_cast<std::uint8_t>(cKind == 'r' ? 0x60 : 0x71), ucInvoke,
                       static_cast<std::uint8_t>(uA)};
            sAnswer = (cKind == 'r' ? "reject:" : "abort:") + std::to_string(uA);
        }
    };
    // The device counts every request for it, the object every request for it, answered or not.
    BS_OBJECT *pObj = nullptr;
    bool bWildcard = ulObj == ((8u << 22) | 0x3FFFFF);
    for (BS_OBJECT &o : stDev.vObjs)
        if (((o.ulType << 22) | o.ulInst) == ulObj || (bWildcard && o.ulType == 8)) pObj = &o;
    // A lost request never reached the device: it counts for nothing but its loss.
    if (BS_LOST(stDev, pObj)) {
        sLog += " answer=lost";
        bSilent = true;
        return;
    }
    bSilent = BS_SILENT(stDev.stFaults) || (pObj != nullptr && BS_SILENT(pObj->stFaults));
    ++stDev.stFaults.ulCount;
    if (pObj != nullptr) ++pObj->stFaults.ulCount;
    if (bSilent) {
        sLog += " answer=silent";
        return;
    }
    BS_EVENTS_FIRE(stDev, stDev.stFaults, pObj, stFr.ulOrigIp, stFr.usOrigPort);
    if (pObj != nullptr) BS_EVENTS_FIRE(stDev, pObj->stFaults, pObj, stFr.ulOrigIp, stFr.usOrigPort);
    uDelayMs = BS_DELAY(stDev.stFaults, static_cast<std::uint64_t>(stDev.ulInst) << 32) +
               (pObj != nullptr ? BS_DELAY(pObj->stFaults, (static_cast<std::uint64_t>(stDev.ulInst) << 32) ^
                                                               ((pObj->ulType << 22) | pObj->ulInst))
                                : 0);
    std::vector<std::uint8_t> vWert;
    BS_PROPFAULT stNein;
    if (uReject != 0)
        Refuse('r', uReject, 0);
    else if (!BS_PROPVAL(stDev, pObj, ulProp, lIdx, vWert, stNein))
        Refuse(stNein.cKind, stNein.uA, stNein.uB);
    if (!vAnswer.empty()) {
        sLog += " answer=" + sAnswer;
        return;
    }
    vAnswer = {0x30, ucInvoke, 0x0C};
    BS_TAG_OBJID(vAnswer, 0, (pObj->ulType << 22) | pObj->ulInst);
    BS_TAG_UNSIGNED(vAnswer, 1, 0, ulProp);
    if (lIdx >= 0) BS_TAG_UNSIGNED(vAnswer, 2, 0, static_cast<std::uint32_t>(lIdx));
    vAnswer.push_back(0x3E);
    vAnswer.insert(vAnswer.end(), vWert.begin(), vWert.end());
    vAnswer.push_back(0x3F);
    if (vAnswer.size() > std::min(uMax, stDev.uMaxApdu) && !BS_SEG_TAKES(stDev, pApdu)) {
        vAnswer.clear();
        Refuse('a', 4, 0); // too long for the requester or the device, and no segments taken or sent
    }
    sLog += " answer=" + (vAnswer[0] == 0x30 ? std::string("ack") : sAnswer);
}
