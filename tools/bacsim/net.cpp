// UDP endpoints of the simulated hosts, the queue of delayed answers, and the receive loop.
#include "tools/bacsim/bacsim.h"
#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <netinet/in.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

struct PENDING {
    std::int64_t llDue; // nanoseconds on the monotonic clock
    std::size_t uHost;
    std::uint32_t ulIp;
    std::uint16_t usPort;
    std::vector<std::uint8_t> vFrame;
    std::int64_t llFailedSince = -1; // first refusal by the kernel for want of buffers
    std::string sLogSent;            // request-log line written when the frame leaves
};

// A frame the kernel had no buffer for is tried again this soon, and given up after this long.
constexpr std::int64_t llRetryNs = 100000, llGiveUpNs = 5000000000;

// One socket per distinct broadcast address and port: a socket bound to a unicast address hears no broadcast.
struct BCAST {
    int iFd;
    std::uint32_t ulBcast;
    std::uint16_t usPort;
};

std::vector<PENDING> vPending;
std::vector<BCAST> vBcast;
volatile std::sig_atomic_t iStop = 0;
// Arrival of the frame being served: an answer's delay counts from there, not from when it was built.
std::int64_t llArrival = -1;

std::int64_t Ns(const timespec &ts) {
    return static_cast<std::int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// When the datagram reached the socket, from the kernel's stamp (on the wall clock) moved onto the monotonic
// clock: the wait until the simulator got to read it is part of the device's delay, not added to it.
std::int64_t ArrivedAt(msghdr &stMsg) {
    std::int64_t llNow = BS_NOW_NS();
    for (cmsghdr *c = CMSG_FIRSTHDR(&stMsg); c != nullptr; c = CMSG_NXTHDR(&stMsg, c)) {
        if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_TIMESTAMPNS) continue;
        timespec stStamp{}, stWall{};
        std::memcpy(&stStamp, CMSG_DATA(c), sizeof stStamp);
        clock_gettime(CLOCK_REALTIME, &stWall);
        std::int64_t llAt = llNow - (Ns(stWall) - Ns(stStamp));
        return llAt < llNow ? llAt : llNow;
    }
    return llNow;
}

void OnSignal(int) {
    iStop = 1;
}

int OpenBound(std::uint32_t ulIp, std::uint16_t usPort, std::string &sErr) {
    int iFd = socket(AF_INET, SOCK_DGRAM, 0);
    int iOn = 1;
    if (iFd < 0 || setsockopt(iFd, SOL_SOCKET, SO_REUSEADDR, &iOn, sizeof iOn) != 0 ||
        setsockopt(iFd, SOL_SOCKET, SO_BROADCAST, &iOn, sizeof iOn) != 0 ||
        setsockopt(iFd, SOL_SOCKET, SO_TIMESTAMPNS, &iOn, sizeof iOn) != 0 ||
        setsockopt(iFd, IPPROTO_IP, IP_RECVERR, &iOn, sizeof iOn) != 0) {
        sErr = std::string("socket: ") + std::strerror(errno);
        return -1;
    }
    // Without IP_RECVERR the kernel reports a datagram it dropped for want of buffers as sent (ENOBUFS
    // swallowed); with it the send fails and the frame is tried again. A large receive buffer takes a burst
    // of requests, and the echoes of the simulator's own broadcast storms without dropping a Who-Is behind
    // them; beyond net.core.rmem_max only where the process may force it.
    int iBuf = 8 << 20;
    if (setsockopt(iFd, SOL_SOCKET, SO_RCVBUFFORCE, &iBuf, sizeof iBuf) != 0)
        setsockopt(iFd, SOL_SOCKET, SO_RCVBUF, &iBuf, sizeof iBuf);
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

// The host of the building that sends from ulIp:usPort; -1 when it is none of ours.
long OwnHost(std::uint32_t ulIp, std::uint16_t usPort) {
    for (std::size_t i = 0; i < stBS_Bld.vHosts.size(); ++i)
        if (stBS_Bld.vHosts[i].ulIp == ulIp && stBS_Bld.vHosts[i].usPort == usPort)
            return static_cast<long>(i);
    return -1;
}

// Reads one datagram from a socket and hands it to every host that listens there.
void Receive(int iFd, bool bBcast, std::uint32_t ulLocal, std::uint16_t usLocalPort) {
    std::uint8_t aBuf[2048];
    alignas(cmsghdr) char aCtl[CMSG_SPACE(sizeof(timespec))];
    sockaddr_in sa{};
    iovec stIov{aBuf, sizeof aBuf};
    msghdr stMsg{};
    stMsg.msg_name = &sa;
    stMsg.msg_namelen = sizeof sa;
    stMsg.msg_iov = &stIov;
    stMsg.msg_iovlen = 1;
    stMsg.msg_control = aCtl;
    stMsg.msg_controllen = sizeof aCtl;
    ssize_t n = recvmsg(iFd, &stMsg, 0);
    if (n < 0) return;
    std::uint32_t ulSrc = ntohl(sa.sin_addr.s_addr);
    std::uint16_t usSrc = ntohs(sa.sin_port);
    // Our own frames come back to the broadcast socket; they are nobody's request, except between a BBMD and
    // the other hosts of the building, which hear each other as nodes of one subnet do. Already captured when
    // they were sent.
    const long lOwn = OwnHost(ulSrc, usSrc);
    llArrival = ArrivedAt(stMsg);
    if (lOwn < 0)
        BS_PCAP_WRITE(llArrival, ulSrc, usSrc, ulLocal, usLocalPort, aBuf, static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < stBS_Bld.vHosts.size(); ++i) {
        const BS_HOST &h = stBS_Bld.vHosts[i];
        bool bMine = bBcast ? (h.ulBcast == ulLocal && h.usPort == usLocalPort) : h.iFd == iFd;
        if (lOwn >= 0 && (static_cast<long>(i) == lOwn || !(h.bBbmd || stBS_Bld.vHosts[lOwn].bBbmd)))
            continue;
        if (bMine) BS_SERVE(i, bBcast, ulSrc, usSrc, aBuf, static_cast<std::size_t>(n));
    }
    llArrival = -1;
}

// Sends one frame: 0 when it is gone (sent, or refused for good and reported), 1 when it is to be tried
// again.
int Transmit(PENDING &p, std::int64_t llNow) {
    if (bBS_HubAn) { // the hosts are nodes of the hub
        BS_HUB_DELIVER(p.uHost, p.ulIp, p.usPort, p.vFrame);
        if (!p.sLogSent.empty()) BS_LOG(p.sLogSent);
        return 0;
    }
    const BS_HOST &h = stBS_Bld.vHosts[p.uHost];
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(p.ulIp);
    sa.sin_port = htons(p.usPort);
    int iErr = 0;
    bool bBusy = false;
    // With IP_RECVERR an ICMP error for an earlier datagram (an answer to a node that has gone) fails the
    // next send once, whatever its destination; that failed send clears it, so one more try tells.
    for (int iTry = 0; iTry < 2 && !bBusy; ++iTry) {
        std::int64_t llSent = BS_NOW_NS();
        if (sendto(h.iFd, p.vFrame.data(), p.vFrame.size(), 0, reinterpret_cast<sockaddr *>(&sa),
                   sizeof sa) >= 0) {
            BS_PCAP_WRITE(llSent, h.ulIp, h.usPort, p.ulIp, p.usPort, p.vFrame.data(), p.vFrame.size());
            if (!p.sLogSent.empty()) BS_LOG(p.sLogSent);
            return 0;
        }
        iErr = errno;
        bBusy = iErr == ENOBUFS || iErr == EAGAIN || iErr == EWOULDBLOCK || iErr == ENOMEM || iErr == EINTR;
    }
    if (bBusy && p.llFailedSince < 0) p.llFailedSince = llNow;
    if (bBusy && llNow - p.llFailedSince < llGiveUpNs) return 1;
    std::fprintf(stderr, "bacsim: send to %s: %s%s\n", BS_IPTEXT(p.ulIp, p.usPort).c_str(),
                 std::strerror(iErr), bBusy ? " (given up after 5 s of retries)" : "");
    return 0;
}

// Errors that IP_RECVERR queues on a socket (an ICMP port unreachable for an answer to a node that has
// gone): read and dropped, or poll would report them for ever.
void DropErrors(int iFd) {
    std::uint8_t aBuf[2048];
    char aCtl[512];
    while (true) {
        iovec stIov{aBuf, sizeof aBuf};
        msghdr stMsg{};
        stMsg.msg_iov = &stIov;
        stMsg.msg_iovlen = 1;
        stMsg.msg_control = aCtl;
        stMsg.msg_controllen = sizeof aCtl;
        if (recvmsg(iFd, &stMsg, MSG_ERRQUEUE | MSG_DONTWAIT) < 0) return;
    }
}

} // namespace

std::int64_t (*pfBS_Uhr)() = nullptr;

std::int64_t BS_NOW_NS() {
    if (pfBS_Uhr != nullptr) return pfBS_Uhr();
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return Ns(ts);
}

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

BS_SENKE_FN pfBS_Senke = nullptr;

void BS_SEND(std::size_t uHost, std::uint32_t ulIp, std::uint16_t usPort,
             const std::vector<std::uint8_t> &vFrame, unsigned uDelayMs, const std::string &sLogSent) {
    if (pfBS_Senke != nullptr) return pfBS_Senke(uHost, ulIp, usPort, vFrame, uDelayMs);
    std::int64_t llFrom = llArrival >= 0 ? llArrival : BS_NOW_NS();
    vPending.push_back(
        {llFrom + static_cast<std::int64_t>(uDelayMs) * 1000000, uHost, ulIp, usPort, vFrame, -1, sLogSent});
    BS_SEND_DUE();
}

std::int64_t BS_SEND_DUE() {
    std::int64_t llNow = BS_NOW_NS(), llNext = -1;
    // Frames leave in the order they were queued once due, so an event sent before an answer stays before it,
    // and the I-Ams of a storm keep the order of the devices. One the kernel cannot take yet holds back every
    // due frame behind it. The queue is compacted in one pass: a storm queues thousands of frames.
    bool bHeld = false;
    std::size_t uKeep = 0;
    for (std::size_t i = 0; i < vPending.size(); ++i) {
        PENDING &p = vPending[i];
        bool bDue = p.llDue <= llNow;
        if (bDue && !bHeld) {
            if (Transmit(p, llNow) == 0) continue;
            bHeld = true;
        }
        std::int64_t llWake = bDue ? llNow + llRetryNs : p.llDue;
        llNext = llNext < 0 || llWake < llNext ? llWake : llNext;
        if (uKeep != i) vPending[uKeep] = std::move(p);
        ++uKeep;
    }
    vPending.erase(vPending.begin() + static_cast<long>(uKeep), vPending.end());
    return llNext;
}

void BS_RUN(double dSeconds) {
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    // The stop signals are let in only while the loop waits: one that came between the check of iStop and
    // the wait would otherwise be taken and the wait would still last until the next frame or the end.
    sigset_t stStop, stWaitMask;
    sigemptyset(&stStop);
    sigaddset(&stStop, SIGTERM);
    sigaddset(&stStop, SIGINT);
    sigprocmask(SIG_BLOCK, &stStop, &stWaitMask);
    sigdelset(&stWaitMask, SIGTERM);
    sigdelset(&stWaitMask, SIGINT);
    // A delayed answer leaves at its due time to the microsecond: a timer on the monotonic clock armed at an
    // absolute time, without the kernel's default 50 us of timer slack. Even so a timer wakes a process some
    // 40 us late on a virtual machine, so it is armed a little early and the last stretch is waited out
    // awake, still taking requests.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const std::int64_t llEarlyNs = 80000;
    int iTimer = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (iTimer < 0) {
        std::fprintf(stderr, "bacsim: timerfd: %s\n", std::strerror(errno));
        return;
    }
    std::int64_t llEnd = dSeconds > 0 ? BS_NOW_NS() + static_cast<std::int64_t>(dSeconds * 1e9) : -1;
    std::vector<pollfd> vPoll;
    for (const BS_HOST &h : stBS_Bld.vHosts)
        vPoll.push_back({h.iFd, POLLIN, 0});
    for (const BCAST &b : vBcast)
        vPoll.push_back({b.iFd, POLLIN, 0});
    const std::size_t uTimer = vPoll.size(), uHosts = stBS_Bld.vHosts.size();
    vPoll.push_back({iTimer, POLLIN, 0});
    while (!iStop) {
        std::int64_t llWake = BS_SEND_DUE();
        std::int64_t llNow = BS_NOW_NS();
        if (llEnd >= 0) {
            if (llNow >= llEnd) break;
            llWake = llWake < 0 || llEnd < llWake ? llEnd : llWake;
        }
        timespec stNoWait{}, *pTimeout = nullptr, stHub{};
        vPoll.resize(uTimer + 1);
        const int iHubMs = bBS_HubAn ? BS_HUB_POLL(vPoll) : -1;
        if (iHubMs >= 0 && (llWake < 0 || llWake - llNow > iHubMs * 1000000LL)) {
            stHub.tv_nsec = iHubMs * 1000000L;
            pTimeout = &stHub;
        } else if (llWake >= 0 && llWake - llNow <= llEarlyNs) {
            pTimeout = &stNoWait;
        } else {
            // Disarmed (all zero) when nothing is queued and the run has no end.
            itimerspec its{};
            if (llWake >= 0) {
                its.it_value.tv_sec = static_cast<time_t>((llWake - llEarlyNs) / 1000000000);
                its.it_value.tv_nsec = static_cast<long>((llWake - llEarlyNs) % 1000000000);
            }
            timerfd_settime(iTimer, TFD_TIMER_ABSTIME, &its, nullptr);
        }
        for (pollfd &p : vPoll)
            p.revents = 0;
        const int iReady = ppoll(vPoll.data(), vPoll.size(), pTimeout, &stWaitMask);
        if (bBS_HubAn) BS_HUB_SERVE(vPoll, uTimer + 1);
        if (iReady <= 0) continue;
        // The timer only wakes the loop; what is due goes out at the top of the next pass.
        std::uint64_t ullExpired = 0;
        if ((vPoll[uTimer].revents & POLLIN) && read(iTimer, &ullExpired, sizeof ullExpired) < 0)
            ullExpired = 0;
        for (pollfd &p : vPoll)
            if (p.revents & POLLERR) DropErrors(p.fd);
        for (std::size_t i = 0; i < uHosts; ++i)
            if (vPoll[i].revents & POLLIN)
                Receive(vPoll[i].fd, false, stBS_Bld.vHosts[i].ulIp, stBS_Bld.vHosts[i].usPort);
        for (std::size_t i = 0; i < vBcast.size(); ++i)
            if (vPoll[uHosts + i].revents & POLLIN)
                Receive(vBcast[i].iFd, true, vBcast[i].ulBcast, vBcast[i].usPort);
    }
    close(iTimer);
    sigprocmask(SIG_UNBLOCK, &stStop, nullptr);
}
