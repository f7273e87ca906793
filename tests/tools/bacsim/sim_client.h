// A small BACnet/IP client for the simulator's tests, written apart from both the simulator and the scanner's
// BACnet layer: frames are spelled out byte by byte here, so a shared mistake cannot hide.
#pragma once
#include <arpa/inet.h>
#include <cstdint>
#include <cstring>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

using BYTES = std::vector<std::uint8_t>;

struct CL_RX {
    std::uint32_t ulIp = 0;
    std::uint16_t usPort = 0;
    BYTES b;
};

inline std::uint32_t CL_IP(const char *cText) {
    return ntohl(inet_addr(cText));
}

// Bound to every address of the namespace, beside the simulator (both use SO_REUSEADDR).
inline int CL_OPEN(std::uint16_t usPort = 47808, std::uint32_t ulBind = INADDR_ANY) {
    int iFd = socket(AF_INET, SOCK_DGRAM, 0);
    int iOn = 1;
    setsockopt(iFd, SOL_SOCKET, SO_REUSEADDR, &iOn, sizeof iOn);
    setsockopt(iFd, SOL_SOCKET, SO_BROADCAST, &iOn, sizeof iOn);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(ulBind);
    sa.sin_port = htons(usPort);
    if (bind(iFd, reinterpret_cast<sockaddr *>(&sa), sizeof sa) != 0) {
        close(iFd);
        return -1;
    }
    return iFd;
}

inline void CL_SEND(int iFd, std::uint32_t ulIp, std::uint16_t usPort, const BYTES &b) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(ulIp);
    sa.sin_port = htons(usPort);
    sendto(iFd, b.data(), b.size(), 0, reinterpret_cast<sockaddr *>(&sa), sizeof sa);
}

// Next datagram within iMs milliseconds, skipping what came from ulSelf:usSelfPort (our own broadcasts).
inline std::optional<CL_RX> CL_RECV(int iFd, int iMs, std::uint32_t ulSelf = 0x7F000001,
                                    std::uint16_t usSelfPort = 47808) {
    while (true) {
        pollfd p{iFd, POLLIN, 0};
        if (poll(&p, 1, iMs) <= 0) return std::nullopt;
        std::uint8_t a[2048];
        sockaddr_in sa{};
        socklen_t l = sizeof sa;
        ssize_t n = recvfrom(iFd, a, sizeof a, 0, reinterpret_cast<sockaddr *>(&sa), &l);
        if (n < 0) return std::nullopt;
        CL_RX r{ntohl(sa.sin_addr.s_addr), ntohs(sa.sin_port), BYTES(a, a + n)};
        if (r.ulIp == ulSelf && r.usPort == usSelfPort) continue;
        return r;
    }
}

// ---- Frames
// ---------------------------------------------------------------------------------------------------

inline BYTES CL_BVLC(std::uint8_t ucFunc, const BYTES &vRest) {
    BYTES v{0x81, ucFunc, 0, 0};
    v.insert(v.end(), vRest.begin(), vRest.end());
    v[2] = static_cast<std::uint8_t>(v.size() >> 8);
    v[3] = static_cast<std::uint8_t>(v.size());
    return v;
}

// Who-Is, global (DNET 65535) by default; iDnet -1 = local broadcast only; lLo/lHi the device range.
inline BYTES CL_WHOIS(int iDnet = 0xFFFF, long lLo = -1, long lHi = -1) {
    BYTES v{0x01};
    if (iDnet < 0) {
        v.push_back(0x00);
    } else {
        v.insert(v.end(),
                 {0x20, static_cast<std::uint8_t>(iDnet >> 8), static_cast<std::uint8_t>(iDnet), 0x00, 0xFF});
    }
    v.insert(v.end(), {0x10, 0x08});
    if (lLo >= 0) {
        v.insert(v.end(), {0x0A, static_cast<std::uint8_t>(lLo >> 8), static_cast<std::uint8_t>(lLo)});
        v.insert(v.end(), {0x1A, static_cast<std::uint8_t>(lHi >> 8), static_cast<std::uint8_t>(lHi)});
    }
    return CL_BVLC(0x0B, v);
}

// ReadProperty APDU: object identifier, property (one byte), optional array index (one byte).
inline BYTES CL_RP_APDU(std::uint32_t ulObj, std::uint8_t ucProp, int iIdx, std::uint8_t ucInvoke,
                        std::uint8_t ucMaxApdu = 0x05) {
    BYTES v{0x00,
            ucMaxApdu,
            ucInvoke,
            0x0C,
            0x0C,
            static_cast<std::uint8_t>(ulObj >> 24),
            static_cast<std::uint8_t>(ulObj >> 16),
            static_cast<std::uint8_t>(ulObj >> 8),
            static_cast<std::uint8_t>(ulObj),
            0x19,
            ucProp};
    if (iIdx >= 0) v.insert(v.end(), {0x29, static_cast<std::uint8_t>(iIdx)});
    return v;
}

inline BYTES CL_DIRECT(const BYTES &vApdu) {
    BYTES v{0x01, 0x04};
    v.insert(v.end(), vApdu.begin(), vApdu.end());
    return CL_BVLC(0x0A, v);
}

// Through a router, as a Forwarded-NPDU whose original source is ulOrig:usOrig.
inline BYTES CL_ROUTED(const BYTES &vApdu, std::uint16_t usDnet, std::uint8_t ucMac, std::uint32_t ulOrig,
                       std::uint16_t usOrig) {
    BYTES v{static_cast<std::uint8_t>(ulOrig >> 24),
            static_cast<std::uint8_t>(ulOrig >> 16),
            static_cast<std::uint8_t>(ulOrig >> 8),
            static_cast<std::uint8_t>(ulOrig),
            static_cast<std::uint8_t>(usOrig >> 8),
            static_cast<std::uint8_t>(usOrig),
            0x01,
            0x24,
            static_cast<std::uint8_t>(usDnet >> 8),
            static_cast<std::uint8_t>(usDnet),
            0x01,
            ucMac,
            0xFF};
    v.insert(v.end(), vApdu.begin(), vApdu.end());
    return CL_BVLC(0x04, v);
}

// ---- Reading answers
// -----------------------------------------------------------------------------------------

struct CL_NPDU {
    std::uint8_t ucCtrl = 0;
    int iSnet = -1;
    BYTES vSadr;
    BYTES vApdu; // or the network message (type byte first)
};

inline CL_NPDU CL_SPLIT(const BYTES &b) {
    CL_NPDU r;
    std::size_t n = b.size() > 1 && b[1] == 0x04 ? 10 : 4;
    if (b.size() < n + 2) return r;
    r.ucCtrl = b[n + 1];
    n += 2;
    if ((r.ucCtrl & 0x20) && n + 3 <= b.size()) n += 3 + b[n + 2];
    if ((r.ucCtrl & 0x08) && n + 3 <= b.size()) {
        r.iSnet = (b[n] << 8) | b[n + 1];
        std::size_t uLen = b[n + 2];
        if (n + 3 + uLen <= b.size())
            r.vSadr.assign(b.begin() + static_cast<long>(n + 3), b.begin() + static_cast<long>(n + 3 + uLen));
        n += 3 + uLen;
    }
    if (r.ucCtrl & 0x20) ++n;
    if (n <= b.size()) r.vApdu.assign(b.begin() + static_cast<long>(n), b.end());
    return r;
}

// The value bytes of a ReadProperty acknowledgement (between opening and closing tag 3).
inline BYTES CL_ACK_VALUE(const BYTES &vApdu) {
    for (std::size_t i = 3; i < vApdu.size(); ++i)
        if (vApdu[i] == 0x3E && vApdu.back() == 0x3F)
            return BYTES(vApdu.begin() + static_cast<long>(i + 1), vApdu.end() - 1);
    return {};
}

inline std::string CL_TEXT(const BYTES &v) {
    if (v.empty() || (v[0] & 0xF0) != 0x70) return "<no text>";
    std::size_t uLen = v[0] & 0x07, uHdr = 1;
    if (uLen == 5) uLen = v[1], uHdr = 2;
    return std::string(v.begin() + static_cast<long>(uHdr + 1), v.begin() + static_cast<long>(uHdr + uLen));
}

inline std::uint32_t CL_UINT(const BYTES &v) {
    std::uint32_t ul = 0;
    for (std::size_t i = 1; i < v.size() && i <= (v[0] & 0x07u); ++i)
        ul = (ul << 8) | v[i];
    return ul;
}
