// Decoding of received frames: BVLC and NPDU headers and single tags, every read bounded by the datagram.
#include "tools/bacsim/bacsim.h"

bool BS_TAG_READ(const std::uint8_t *p, const std::uint8_t *pEnd, BS_TAG &stTag) {
    if (p >= pEnd) return false;
    std::size_t uAvail = static_cast<std::size_t>(pEnd - p);
    std::uint8_t b = p[0];
    stTag = BS_TAG();
    stTag.uHdr = 1;
    stTag.uNum = b >> 4;
    stTag.bCtx = (b & 0x08) != 0;
    if (stTag.uNum == 15) {
        if (uAvail < 2) return false;
        stTag.uNum = p[1];
        stTag.uHdr = 2;
    }
    unsigned uLvt = b & 0x07;
    if (stTag.bCtx && uLvt >= 6) {
        stTag.bOpen = uLvt == 6;
        stTag.bClose = uLvt == 7;
        return true;
    }
    if (!stTag.bCtx && stTag.uNum == 1) return true; // Boolean: the value is the LVT itself
    if (uLvt < 5) {
        stTag.uLen = uLvt;
    } else {
        if (uAvail < stTag.uHdr + 1) return false;
        std::uint8_t e = p[stTag.uHdr++];
        if (e < 254) {
            stTag.uLen = e;
        } else {
            std::size_t uBytes = e == 254 ? 2 : 4;
            if (uAvail < stTag.uHdr + uBytes) return false;
            for (std::size_t i = 0; i < uBytes; ++i)
                stTag.uLen = (stTag.uLen << 8) | p[stTag.uHdr + i];
            stTag.uHdr += uBytes;
        }
    }
    return stTag.uLen <= uAvail - stTag.uHdr;
}

std::uint32_t BS_TAG_UINT(const std::uint8_t *p, const BS_TAG &stTag) {
    if (stTag.uLen == 0 || stTag.uLen > 4) return 0xFFFFFFFF;
    std::uint32_t ul = 0;
    for (std::size_t i = 0; i < stTag.uLen; ++i)
        ul = (ul << 8) | p[stTag.uHdr + i];
    return ul;
}

namespace {

// A network number, address length and address (DNET/DLEN/DADR or SNET/SLEN/SADR) at n; false when cut off.
bool NetAddr(const std::uint8_t *pBuf, std::size_t uLen, std::size_t &n, std::uint16_t &usNet,
             std::vector<std::uint8_t> &vAdr) {
    if (uLen < n + 3 || uLen < n + 3 + pBuf[n + 2]) return false;
    usNet = static_cast<std::uint16_t>((pBuf[n] << 8) | pBuf[n + 1]);
    vAdr.assign(pBuf + n + 3, pBuf + n + 3 + pBuf[n + 2]);
    n += 3 + pBuf[n + 2];
    return true;
}

} // namespace

const char *BS_PARSE(const std::uint8_t *pBuf, std::size_t uLen, std::uint32_t ulSrcIp,
                     std::uint16_t usSrcPort, BS_FRAME &stFr) {
    stFr = BS_FRAME();
    if (uLen < 4 || pBuf[0] != 0x81) return "not-bip";
    if (((static_cast<std::size_t>(pBuf[2]) << 8) | pBuf[3]) != uLen) return "bvlc-length";
    stFr.ucFunc = pBuf[1];
    stFr.ulOrigIp = ulSrcIp;
    stFr.usOrigPort = usSrcPort;
    std::size_t n = 4;
    if (stFr.ucFunc == 0x04) {
        if (uLen < 10) return "short";
        stFr.ulOrigIp =
            (static_cast<std::uint32_t>(pBuf[4]) << 24) | (pBuf[5] << 16) | (pBuf[6] << 8) | pBuf[7];
        stFr.usOrigPort = static_cast<std::uint16_t>((pBuf[8] << 8) | pBuf[9]);
        n = 10;
    } else if (stFr.ucFunc != 0x0A && stFr.ucFunc != 0x0B) {
        return "bvlc-function";
    }
    if (uLen < n + 2) return "short";
    stFr.ucCtrl = pBuf[n + 1];
    n += 2;
    if ((stFr.ucCtrl & 0x20) && !(stFr.bDnet = NetAddr(pBuf, uLen, n, stFr.usDnet, stFr.vDadr)))
        return "short";
    if ((stFr.ucCtrl & 0x08) && !(stFr.bSnet = NetAddr(pBuf, uLen, n, stFr.usSnet, stFr.vSadr)))
        return "short";
    if (stFr.ucCtrl & 0x20) {
        if (uLen < n + 1) return "short";
        ++n; // hop count
    }
    if (stFr.ucCtrl & 0x80) {
        if (uLen < n + 1) return "short";
        stFr.ucNetMsg = pBuf[n++];
    } else if (uLen < n + 1) {
        return "short";
    }
    stFr.uApdu = n;
    stFr.uEnd = uLen;
    return "";
}

// A frame as the simulated nodes send it. Answers go to nodes on the host's own B/IP network, so the NPDU
// never carries a destination; a device behind the host's router is named as the source.
std::vector<std::uint8_t> BS_FRAME_BUILD(bool bBroadcast, const BS_DEVICE *pSrcDev,
                                         const std::vector<std::uint8_t> &vPdu, bool bNetMsg,
                                         bool bExpectReply) {
    std::vector<std::uint8_t> v{0x81, static_cast<std::uint8_t>(bBroadcast ? 0x0B : 0x0A), 0, 0, 0x01};
    bool bRouted = pSrcDev != nullptr && pSrcDev->usNet != 0;
    v.push_back(
        static_cast<std::uint8_t>((bNetMsg ? 0x80 : 0) | (bRouted ? 0x08 : 0) | (bExpectReply ? 0x04 : 0)));
    if (bRouted) {
        BS_PUT16(v, pSrcDev->usNet);
        v.push_back(static_cast<std::uint8_t>(pSrcDev->vMac.size()));
        v.insert(v.end(), pSrcDev->vMac.begin(), pSrcDev->vMac.end());
    }
    v.insert(v.end(), vPdu.begin(), vPdu.end());
    v[2] = static_cast<std::uint8_t>(v.size() >> 8);
    v[3] = static_cast<std::uint8_t>(v.size());
    return v;
}
