// Reads the plain-text building description (format in help.cpp) into the building record.
#include "tools/bacsim/bacsim.h"
#include <arpa/inet.h>
#include <array>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

BS_BUILDING stBS_Bld;

namespace {

struct NAMED {
    std::string_view sName;
    unsigned uNum;
};

constexpr std::array<NAMED, 17> aObjTypes{{{"AI", 0},
                                           {"AO", 1},
                                           {"AV", 2},
                                           {"BI", 3},
                                           {"BO", 4},
                                           {"BV", 5},
                                           {"CAL", 6},
                                           {"CMD", 7},
                                           {"DEVICE", 8},
                                           {"EE", 9},
                                           {"FILE", 10},
                                           {"LOOP", 12},
                                           {"MI", 13},
                                           {"MO", 14},
                                           {"NC", 15},
                                           {"SCHEDULE", 17},
                                           {"MV", 19}}};

constexpr std::array<NAMED, 17> aProps{{{"active-text", 4},
                                        {"description", 28},
                                        {"inactive-text", 46},
                                        {"max-apdu-length-accepted", 62},
                                        {"model-name", 70},
                                        {"number-of-states", 74},
                                        {"object-identifier", 75},
                                        {"object-list", 76},
                                        {"object-name", 77},
                                        {"object-type", 79},
                                        {"polarity", 84},
                                        {"present-value", 85},
                                        {"segmentation-supported", 107},
                                        {"state-text", 110},
                                        {"units", 117},
                                        {"vendor-identifier", 120},
                                        {"vendor-name", 121}}};

std::string Upper(std::string s) {
    for (char &c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
}

bool Number(const std::string &s, unsigned long ulMax, unsigned long &ulOut) {
    if (s.empty() || s.size() > 10) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    ulOut = std::strtoul(s.c_str(), nullptr, 10);
    return ulOut <= ulMax;
}

// Value of a property given in the description, typed by the property and the object type.
BS_VALUE TypedValue(std::uint32_t ulProp, std::uint32_t ulObjType, const std::string &sRest, bool &bOk) {
    BS_VALUE v;
    bOk = true;
    switch (ulProp) {
    case 4:
    case 28:
    case 46:
    case 70:
    case 77:
    case 121:
        v.cKind = 'c';
        v.sText = BS_UNESCAPE(sRest);
        return v;
    case 110: {
        v.cKind = 'a';
        std::string sAll = sRest, sPart;
        std::size_t uPos = 0;
        // '|' separates the states; an escaped \x7C inside a text stays a bar after unescaping.
        while (true) {
            std::size_t uBar = sAll.find('|', uPos);
            v.vList.push_back(BS_UNESCAPE(sAll.substr(uPos, uBar - uPos)));
            if (uBar == std::string::npos) break;
            uPos = uBar + 1;
        }
        return v;
    }
    case 84:
    case 117:
        v.cKind = 'e';
        break;
    case 74:
        v.cKind = 'u';
        break;
    case 85:
        v.cKind =
            ulObjType <= 2
                ? 'r'
                : (ulObjType <= 5 ? 'e'
                                  : (ulObjType == 13 || ulObjType == 14 || ulObjType == 19 ? 'u' : 'r'));
        break;
    default:
        bOk = false;
        return v;
    }
    char *cEnd = nullptr;
    v.dNum = std::strtod(sRest.c_str(), &cEnd);
    bOk = !sRest.empty() && cEnd != nullptr && *cEnd == '\0' && (v.cKind == 'r' || v.dNum >= 0);
    return v;
}

void SetProp(BS_OBJECT &o, std::uint32_t ulId, const BS_VALUE &v) {
    for (BS_PROP &p : o.vProps)
        if (p.ulId == ulId) {
            p.stVal = v;
            return;
        }
    o.vProps.push_back({ulId, v});
}

bool HasProp(const BS_OBJECT &o, std::uint32_t ulId) {
    for (const BS_PROP &p : o.vProps)
        if (p.ulId == ulId) return true;
    return false;
}

// Reads the fault and event keywords, valid at device and object level.
bool FaultLine(const std::string &sKey, std::istringstream &is, BS_FAULTS &f, std::string &sWhy) {
    std::string a, b, c;
    unsigned long n = 0, n2 = 0, n3 = 0;
    if (sKey == "silent-after") {
        if (!(is >> a) || !Number(a, 0x7FFFFFFF, n)) return sWhy = "silent-after needs a count", false;
        f.lSilentAfter = static_cast<long>(n);
    } else if (sKey == "delay") {
        if (!(is >> a) || !Number(a, 600000, n)) return sWhy = "delay needs milliseconds", false;
        f.uDelayMs = static_cast<unsigned>(n);
        if ((is >> b) && (!Number(b, n, n2) || n2 == 0))
            return sWhy = "delay jitter must be 1.." + a + " milliseconds", false;
        f.uJitterMs = static_cast<unsigned>(n2);
    } else if (sKey == "error" || sKey == "reject" || sKey == "abort") {
        BS_PROPFAULT pf;
        pf.cKind = sKey[0] == 'e' ? 'e' : (sKey[0] == 'r' ? 'r' : 'a');
        if (!(is >> a >> b)) return sWhy = sKey + " needs a property and a value", false;
        long lProp = BS_PROPID(a);
        if (lProp < 0) return sWhy = "unknown property " + a, false;
        pf.ulProp = static_cast<std::uint32_t>(lProp);
        if (!Number(b, 255, n)) return sWhy = "bad value " + b, false;
        pf.uA = static_cast<unsigned>(n);
        if (pf.cKind == 'e') {
            if (!(is >> c) || !Number(c, 255, n2)) return sWhy = "error needs class and code", false;
            pf.uB = static_cast<unsigned>(n2);
        }
        f.vProp.push_back(pf);
    } else if (sKey == "lose-request") {
        if (!(is >> a) || !Number(a, 0x7FFFFFFF, n) || n == 0)
            return sWhy = "lose-request needs a count from 1", false;
        f.vLose.push_back(static_cast<std::uint32_t>(n));
    } else if (sKey == "cov-after" || sKey == "whois-after" || sKey == "network-after") {
        if (!(is >> a) || !Number(a, 0x7FFFFFFF, n3) || n3 == 0)
            return sWhy = sKey + " needs a count from 1", false;
        BS_EVENT e;
        e.cKind = sKey[0] == 'c' ? 'c' : (sKey[0] == 'w' ? 'w' : 'n');
        e.ulAfter = static_cast<std::uint32_t>(n3);
        f.vEvents.push_back(e);
    } else if (sKey == "flood-after") {
        BS_EVENT e;
        e.cKind = 'f';
        if (!(is >> a >> b) || !Number(a, 0x7FFFFFFF, n) || n == 0 || !Number(b, 100000, n2) || n2 == 0)
            return sWhy = "flood-after needs a count from 1 and rounds 1..100000", false;
        e.ulAfter = static_cast<std::uint32_t>(n);
        e.ulRounds = static_cast<std::uint32_t>(n2);
        f.vEvents.push_back(e);
    } else {
        return sWhy = "unknown keyword " + sKey, false;
    }
    if (is >> a) return sWhy = "unexpected " + a, false;
    return true;
}

// "loss P": for the building before the first host, else for the last host.
bool LossLine(std::istringstream &is, BS_BUILDING &b, std::string &sWhy) {
    std::string a, x;
    char *cEnd = nullptr;
    double d = (is >> a) ? std::strtod(a.c_str(), &cEnd) : -1;
    if (cEnd == nullptr || *cEnd != '\0' || !(d >= 0 && d <= 1))
        return sWhy = "loss needs a probability 0..1", false;
    if (is >> x) return sWhy = "unexpected " + x, false;
    (b.vHosts.empty() ? b.dLoss : b.vHosts.back().dLoss) = d;
    return true;
}

// "duplicate MS": for the building before the first host, after a host line for that host, after a device
// line for that device (its objects included).
bool DupLine(std::istringstream &is, BS_BUILDING &b, std::string &sWhy) {
    std::string a, x;
    unsigned long n = 0;
    if (!(is >> a) || !Number(a, 600000, n)) return sWhy = "duplicate needs milliseconds", false;
    if (is >> x) return sWhy = "unexpected " + x, false;
    bool bDevice = !b.vDevs.empty() && b.vDevs.back().uHost + 1 == b.vHosts.size();
    (b.vHosts.empty() ? b.lDupMs : (bDevice ? b.vDevs.back().lDupMs : b.vHosts.back().lDupMs)) =
        static_cast<long>(n);
    return true;
}

bool HostLine(std::istringstream &is, BS_BUILDING &b, std::string &sWhy) {
    std::string a, opt;
    if (!(is >> a)) return sWhy = "host needs an address", false;
    BS_HOST h;
    if (!BS_ENDPOINT(a, h.ulIp, h.usPort, sWhy)) return false;
    // Classful directed broadcast, as BACnet/IP nodes of this kind use it.
    std::uint32_t ulTop = h.ulIp >> 24;
    h.ulBcast = ulTop < 128 ? (h.ulIp | 0x00FFFFFF) : (ulTop < 192 ? (h.ulIp | 0xFFFF) : (h.ulIp | 0xFF));
    while (is >> opt) {
        if (opt == "iam=unicast")
            h.bIamUnicast = true;
        else if (opt == "bbmd")
            h.bBbmd = true;
        else if (opt != "iam=broadcast")
            return sWhy = "unknown host option " + opt, false;
    }
    for (const BS_HOST &o : b.vHosts)
        if (o.ulIp == h.ulIp && o.usPort == h.usPort) return sWhy = "host given twice: " + a, false;
    b.vHosts.push_back(h);
    return true;
}

bool DeviceLine(std::istringstream &is, BS_BUILDING &b, std::string &sWhy) {
    if (b.vHosts.empty()) return sWhy = "device before any host", false;
    std::string a, k;
    unsigned long n = 0;
    if (!(is >> a) || !Number(a, 4194302, n)) return sWhy = "device needs an instance 0..4194302", false;
    BS_DEVICE d;
    d.ulInst = static_cast<std::uint32_t>(n);
    d.uHost = b.vHosts.size() - 1;
    while (is >> k) {
        std::string v;
        if (!(is >> v)) return sWhy = k + " needs a value", false;
        if (k == "net") {
            if (!Number(v, 65534, n) || n == 0) return sWhy = "net must be 1..65534", false;
            d.usNet = static_cast<std::uint16_t>(n);
        } else if (k == "mac") {
            if (v.size() % 2 != 0 || v.empty() || v.size() > 12)
                return sWhy = "mac needs 1..6 hex bytes", false;
            for (std::size_t i = 0; i < v.size(); i += 2) {
                char *cEnd = nullptr;
                std::string sByte = v.substr(i, 2);
                unsigned long ulB = std::strtoul(sByte.c_str(), &cEnd, 16);
                if (*cEnd != '\0') return sWhy = "bad mac " + v, false;
                d.vMac.push_back(static_cast<std::uint8_t>(ulB));
            }
        } else if (k == "vendor") {
            if (!Number(v, 65535, n)) return sWhy = "bad vendor " + v, false;
            d.uVendor = static_cast<unsigned>(n);
        } else {
            return sWhy = "unknown device option " + k, false;
        }
    }
    if ((d.usNet != 0) != !d.vMac.empty()) return sWhy = "net and mac go together", false;
    BS_HOST &h = b.vHosts[d.uHost];
    d.stFaults.uDelayMs = h.stDelay.uDelayMs;
    d.stFaults.uJitterMs = h.stDelay.uJitterMs;
    if (h.bBbmd) return sWhy = "a bbmd host carries no device; put " + a + " on a host of its own", false;
    // One instance may live at several addresses (a misconfigured building); only the address is unique.
    for (const BS_DEVICE &o : b.vDevs) {
        if (o.ulInst == d.ulInst && o.uHost == d.uHost && o.usNet == d.usNet && o.vMac == d.vMac)
            return sWhy = "device " + a + " given twice", false;
        if (d.usNet == 0 && o.uHost == d.uHost && o.usNet == 0)
            return sWhy = "a host carries one direct device; put " + a +
                          " on a host of its own or behind a router",
                   false;
    }
    if (d.usNet != 0) {
        bool bKnown = false;
        for (std::uint16_t usN : h.vNets)
            bKnown = bKnown || usN == d.usNet;
        if (!bKnown) h.vNets.push_back(d.usNet);
        for (const BS_DEVICE &o : b.vDevs)
            if (o.uHost == d.uHost && o.usNet == d.usNet && o.vMac == d.vMac)
                return sWhy = "mac " + a + " used twice on that network", false;
    }
    BS_OBJECT dev;
    dev.ulType = 8;
    dev.ulInst = d.ulInst;
    d.vObjs.push_back(dev);
    b.vDevs.push_back(d);
    return true;
}

bool ObjectLine(std::istringstream &is, BS_BUILDING &b, std::string &sWhy) {
    if (b.vDevs.empty()) return sWhy = "object before any device", false;
    std::string t, i, x;
    unsigned long n = 0;
    if (!(is >> t >> i)) return sWhy = "object needs a type and an instance", false;
    long lType = BS_OBJTYPE(t);
    if (lType < 0 || lType == 8) return sWhy = "bad object type " + t, false;
    if (!Number(i, 4194302, n)) return sWhy = "bad object instance " + i, false;
    if (is >> x) return sWhy = "unexpected " + x, false;
    BS_DEVICE &d = b.vDevs.back();
    for (const BS_OBJECT &o : d.vObjs)
        if (o.ulType == static_cast<std::uint32_t>(lType) && o.ulInst == n)
            return sWhy = "object " + t + " " + i + " given twice", false;
    BS_OBJECT o;
    o.ulType = static_cast<std::uint32_t>(lType);
    o.ulInst = static_cast<std::uint32_t>(n);
    d.vObjs.push_back(o);
    return true;
}

// Property keywords and their numbers; "states" and "value" are short forms.
long KeywordProp(const std::string &sKey) {
    if (sKey == "name") return 77;
    if (sKey == "states") return 110;
    if (sKey == "value") return 85;
    if (sKey == "model") return 70;
    if (sKey == "vendor-name") return 121;
    if (sKey == "description" || sKey == "units" || sKey == "polarity" || sKey == "inactive-text" ||
        sKey == "active-text" || sKey == "number-of-states")
        return BS_PROPID(sKey);
    return -1;
}

// iCharset: the character set given for the texts that follow in the current device or object, -1 = none.
bool Line(const std::string &sLine, BS_BUILDING &b, bool &bInObject, int &iCharset, std::string &sWhy) {
    std::istringstream is(sLine);
    std::string sKey;
    if (!(is >> sKey) || sKey[0] == '#') return true;
    if (sKey == "host" || sKey == "device" || sKey == "object") iCharset = -1;
    if (sKey == "host") return bInObject = false, HostLine(is, b, sWhy);
    if (sKey == "device") return bInObject = false, DeviceLine(is, b, sWhy);
    if (sKey == "object") return bInObject = true, ObjectLine(is, b, sWhy);
    if (sKey == "loss") return LossLine(is, b, sWhy);
    if (sKey == "bdt" || sKey == "nak") return BS_BBMD_LINE(sKey, is, b, sWhy);
    if (sKey == "duplicate") return DupLine(is, b, sWhy);
    if (sKey == "queue") return BS_QUEUE_LINE(is, b, sWhy);
    if (sKey == "trunk") return BS_TRUNK_LINE(is, b, sWhy);
    if (int i = BS_NETLAYER_LINE(sKey, is, b, sWhy); i >= 0) return i == 1;
    if (sKey == "charset") {
        std::string a, x;
        unsigned long n = 0;
        if (!(is >> a) || !Number(a, 255, n)) return sWhy = "charset needs 0..255", false;
        if (is >> x) return sWhy = "unexpected " + x, false;
        // Before the first device it is the building's, after it the current object's.
        if (b.vDevs.empty())
            b.ucCharset = static_cast<std::uint8_t>(n);
        else
            iCharset = static_cast<int>(n);
        return true;
    }
    if (sKey == "delay" && !b.vHosts.empty() &&
        (b.vDevs.empty() || b.vDevs.back().uHost + 1 != b.vHosts.size()))
        return FaultLine(sKey, is, b.vHosts.back().stDelay, sWhy);
    if (b.vDevs.empty()) return sWhy = sKey + " before any device", false;
    BS_DEVICE &d = b.vDevs.back();
    BS_OBJECT &o = d.vObjs.back();
    if (sKey == "iam-at-start") {
        if (bInObject) return sWhy = "iam-at-start belongs to a device", false;
        d.bIamAtStart = true;
        return true;
    }
    if (int i = BS_DEVICE_LIMIT(sKey, is, d, bInObject, sWhy); i >= 0) return i == 1;
    if (int i = BS_SEG_LINE(sKey, is, d, bInObject, sWhy); i >= 0) return i == 1;
    long lProp = KeywordProp(sKey);
    std::string sRest;
    if (sKey == "prop") {
        std::string a;
        if (!(is >> a) || (lProp = BS_PROPID(a)) < 0 || lProp > 0x3FFFFF)
            return sWhy = "prop needs a property", false;
    }
    if (lProp >= 0) {
        // The value is the rest of the line, leading blanks removed.
        std::getline(is, sRest);
        std::size_t uStart = sRest.find_first_not_of(" \t");
        sRest = uStart == std::string::npos ? "" : sRest.substr(uStart);
        while (!sRest.empty() && (sRest.back() == ' ' || sRest.back() == '\t' || sRest.back() == '\r'))
            sRest.pop_back();
        bool bOk = false;
        BS_VALUE v = TypedValue(static_cast<std::uint32_t>(lProp), o.ulType, sRest, bOk);
        if (!bOk) return sWhy = "bad value for " + sKey + ": " + sRest, false;
        if (iCharset >= 0) {
            v.ucCharset = static_cast<std::uint8_t>(iCharset);
            v.bOwnCharset = true;
        }
        SetProp(o, static_cast<std::uint32_t>(lProp), v);
        return true;
    }
    return FaultLine(sKey, is, bInObject ? o.stFaults : d.stFaults, sWhy);
}

} // namespace

bool BS_ENDPOINT(const std::string &sText, std::uint32_t &ulIp, std::uint16_t &usPort, std::string &sWhy) {
    std::size_t uHash = sText.find('#');
    unsigned long ulPort = 47808;
    if (uHash != std::string::npos && !Number(sText.substr(uHash + 1), 65535, ulPort))
        return sWhy = "bad port in " + sText, false;
    struct in_addr in {};
    if (inet_aton(sText.substr(0, uHash).c_str(), &in) == 0) return sWhy = "bad address " + sText, false;
    ulIp = ntohl(in.s_addr);
    usPort = static_cast<std::uint16_t>(ulPort);
    return true;
}

long BS_OBJTYPE(const std::string &sName) {
    std::string s = Upper(sName);
    for (const NAMED &n : aObjTypes)
        if (s == n.sName) return n.uNum;
    unsigned long ul = 0;
    return Number(s, 1023, ul) ? static_cast<long>(ul) : -1;
}

long BS_PROPID(const std::string &sName) {
    if (sName == "*") return 0xFFFFFFFFL;
    for (const NAMED &n : aProps)
        if (sName == n.sName) return n.uNum;
    unsigned long ul = 0;
    return Number(sName, 4194303, ul) ? static_cast<long>(ul) : -1;
}

std::string BS_UNESCAPE(const std::string &sIn) {
    std::string s;
    for (std::size_t i = 0; i < sIn.size(); ++i) {
        if (sIn[i] == '\\' && i + 1 < sIn.size() && sIn[i + 1] == '\\') {
            s += '\\';
            ++i;
        } else if (sIn[i] == '\\' && i + 3 < sIn.size() && sIn[i + 1] == 'x' &&
                   std::isxdigit(static_cast<unsigned char>(sIn[i + 2])) &&
                   std::isxdigit(static_cast<unsigned char>(sIn[i + 3]))) {
            s += static_cast<char>(std::strtoul(sIn.substr(i + 2, 2).c_str(), nullptr, 16));
            i += 3;
        } else {
            s += sIn[i];
        }
    }
    return s;
}

bool BS_LOAD(const char *cPath, BS_BUILDING &stBld, std::string &sErr) {
    std::ifstream f(cPath, std::ios::binary);
    if (!f) {
        sErr = std::string(cPath) + ": cannot be read";
        return false;
    }
    std::string sLine, sWhy;
    bool bInObject = false;
    int iCharset = -1;
    for (unsigned uNo = 1; std::getline(f, sLine); ++uNo) {
        if (!Line(sLine, stBld, bInObject, iCharset, sWhy)) {
            sErr = std::string(cPath) + ":" + std::to_string(uNo) + ": " + sWhy;
            return false;
        }
    }
    if (stBld.vHosts.empty()) {
        sErr = std::string(cPath) + ": no host";
        return false;
    }
    // A multi-state object that lists its states and not their number reports the count of the list; texts
    // without a character set of their own take the building's.
    for (BS_DEVICE &d : stBld.vDevs)
        for (BS_OBJECT &o : d.vObjs) {
            BS_VALUE v;
            v.cKind = 'u';
            for (BS_PROP &p : o.vProps) {
                if (p.ulId == 110) v.dNum = static_cast<double>(p.stVal.vList.size());
                if (!p.stVal.bOwnCharset) p.stVal.ucCharset = stBld.ucCharset;
            }
            if (HasProp(o, 110) && !HasProp(o, 74)) SetProp(o, 74, v);
        }
    return true;
}
