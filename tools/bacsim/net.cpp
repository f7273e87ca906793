// UDP endpoints of the simulated hosts, the queue of delayed answers, and the receive loop.
#include "tools/bacsim/bacsim.h"
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct PENDING {
    Clock::time_point tDue;
    std::size_t uHost;
    std::uint32_t ulIp;
    std::uint16_t usPort;
    std::vector<std::uint8_t> vFrame;
};

// One socket per distinct broadcast address and port: a socket bound to a unicast address hears no broadcast.
struct BCAST {
    int iFd;
    std::uint32_t ulBcast;
    std::uint16_t usPort;
};

std::vector<PENDING> vPending;
std::vector<BCAST> vBcast;
volatile std::sig_atomic_t iStop = 0;

void OnSignal(int) {
    iStop = 1;
}

int OpenBound(std::uint32_t ulIp, std::uint16_t usPort, std::string &sErr) {
    int iFd = socket(AF_INET, SOCK_DGRAM, 0);
    int iOn = 1;
    if (iFd < 0 || setsockopt(iFd, SOL_SOCKET, SO_REUSEADDR, &iOn, sizeof iOn) != 0 ||
        setsockopt(iFd, SOL_SOCKET, SO_BROADCAST, &iOn, sizeof iOn) != 0) {
        sErr = std::string("socket: ") + std::strerror(errno);
        return -1;
    }
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(ulIp);
    sa.sin_port = htons(usPort);
    if (bind(iFd, reinterpret_cast<sockaddr *>(&sa), sizeof sa) != 0) {
        sErr = "bind " + BS_IPTEXT(ulIp, usPort) + ": " + std::strerror(errno) +
               (errno == EADDRNOTAVAIL
                    ? " (the address is not assigned here: run through tests/harness/bench-net)"
                    : "");
        close(iFd);
        return -1;
    }
    return iFd;
}

bool IsOwnEndpoint(std::uint32_t ulIp, std::uint16_t usPort) {
    for (const BS_HOST &h : stBS_Bld.vHosts)
        if (h.ulIp == ulIp && h.usPort == usPort) return true;
    return false;
}

// Reads one datagram from a socket and hands it to every host that listens there.
void Receive(int iFd, bool bBcast, std::uint32_t ulLocal, std::uint16_t usLocalPort) {
    std::uint8_t aBuf[2048];
    sockaddr_in sa{};
    socklen_t uSaLen = sizeof sa;
    ssize_t n = recvfrom(iFd, aBuf, sizeof aBuf, 0, reinterpret_cast<sockaddr *>(&sa), &uSaLen);
    if (n < 0) return;
    std::uint32_t ulSrc = ntohl(sa.sin_addr.s_addr);
    std::uint16_t usSrc = ntohs(sa.sin_port);
    // Our own broadcasts come back to the broadcast socket; they are nobody's request.
    if (IsOwnEndpoint(ulSrc, usSrc)) return;
    BS_PCAP_WRITE(ulSrc, usSrc, ulLocal, usLocalPort, aBuf, static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < stBS_Bld.vHosts.size(); ++i) {
        const BS_HOST &h = stBS_Bld.vHosts[i];
        bool bMine = bBcast ? (h.ulBcast == ulLocal && h.usPort == usLocalPort) : h.iFd == iFd;
        if (bMine) BS_SERVE(i, bBcast, ulSrc, usSrc, aBuf, static_cast<std::size_t>(n));
    }
}

} // namespace

bool BS_NET_OPEN(BS_BUILDING &stBld, std::string &sErr) {
    for (BS_HOST &h : stBld.vHosts) {
        if ((h.iFd = OpenBound(h.ulIp, h.usPort, sErr)) < 0) return false;
        bool bHave = false;
        for (const BCAST &b : vBcast)
            bHave = bHave || (b.ulBcast == h.ulBcast && b.usPort == h.usPort);
        if (bHave) continue;
        int iFd = OpenBound(h.ulBcast, h.usPort, sErr);
        if (iFd < 0) return false;
        vBcast.push_back({iFd, h.ulBcast, h.usPort});
    }
    return true;
}

void BS_SEND(std::size_t uHost, std::uint32_t ulIp, std::uint16_t usPort,
             const std::vector<std::uint8_t> &vFrame, unsigned uDelayMs) {
    vPending.push_back({Clock::now() + std::chrono::milliseconds(uDelayMs), uHost, ulIp, usPort, vFrame});
    BS_SEND_DUE();
}

int BS_SEND_DUE() {
    Clock::time_point tNow = Clock::now();
    long lNext = -1;
    // Frames leave in the order they were queued once due, so an event sent before an answer stays before it.
    for (std::size_t i = 0; i < vPending.size();) {
        PENDING &p = vPending[i];
        if (p.tDue > tNow) {
            long lMs = static_cast<long>(
                std::chrono::duration_cast<std::chrono::milliseconds>(p.tDue - tNow).count() + 1);
            lNext = lNext < 0 || lMs < lNext ? lMs : lNext;
            ++i;
            continue;
        }
        const BS_HOST &h = stBS_Bld.vHosts[p.uHost];
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_addr.s_addr = htonl(p.ulIp);
        sa.sin_port = htons(p.usPort);
        if (sendto(h.iFd, p.vFrame.data(), p.vFrame.size(), 0, reinterpret_cast<sockaddr *>(&sa), sizeof sa) <
            0)
            std::fprintf(stderr, "bacsim: send to %s: %s\n", BS_IPTEXT(p.ulIp, p.usPort).c_str(),
                         std::strerror(errno));
        else
            BS_PCAP_WRITE(h.ulIp, h.usPort, p.ulIp, p.usPort, p.vFrame.data(), p.vFrame.size());
        vPending.erase(vPending.begin() + static_cast<long>(i));
    }
    return static_cast<int>(lNext);
}

void BS_RUN(double dSeconds) {
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    Clock::time_point tEnd = Clock::now() + std::chrono::milliseconds(static_cast<long>(dSeconds * 1000));
    while (!iStop) {
        long lWait = BS_SEND_DUE();
        if (dSeconds > 0) {
            Clock::time_point tNow = Clock::now();
            if (tNow >= tEnd) break;
            long lLeft = static_cast<long>(
                             std::chrono::duration_cast<std::chrono::milliseconds>(tEnd - tNow).count()) +
                         1;
            lWait = lWait < 0 || lLeft < lWait ? lLeft : lWait;
        }
        fd_set set;
        FD_ZERO(&set);
        int iMax = -1;
        for (const BS_HOST &h : stBS_Bld.vHosts) {
            FD_SET(h.iFd, &set);
            iMax = h.iFd > iMax ? h.iFd : iMax;
        }
        for (const BCAST &b : vBcast) {
            FD_SET(b.iFd, &set);
            iMax = b.iFd > iMax ? b.iFd : iMax;
        }
        timeval tv{lWait / 1000, (lWait % 1000) * 1000};
        int iReady = select(iMax + 1, &set, nullptr, nullptr, lWait < 0 ? nullptr : &tv);
        if (iReady <= 0) continue;
        for (const BS_HOST &h : stBS_Bld.vHosts)
            if (FD_ISSET(h.iFd, &set)) Receive(h.iFd, false, h.ulIp, h.usPort);
        for (const BCAST &b : vBcast)
            if (FD_ISSET(b.iFd, &set)) Receive(b.iFd, true, b.ulBcast, b.usPort);
    }
}
