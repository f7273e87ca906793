// bacsim as a BACnet/SC hub: the building's hosts become nodes of the hub, each with a VMAC of its own, and
// nodes that connect over TLS and WebSocket (the scanner) reach them through it. What a node sends to a
// host's VMAC (or to every node) is served as the host serves a B/IP datagram; what a host sends back goes to
// the node as an Encapsulated-NPDU from the host's VMAC. The BVLC-SC coding here is the simulator's own,
// written beside the scanner's and sharing nothing with it, so that a mistake in one is not mirrored in the
// other. libwebsockets serves the TLS and the WebSocket; the sockets are the simulator's (it accepts and
// hands them over), so that its one poll loop waits on them beside its timers.
#include "tools/bacsim/bacsim.h"
#include <arpa/inet.h>
#include <array>
#include <cerrno>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <libwebsockets.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

BS_HUB_Struct stBS_Hub;

namespace {

using VMAC = std::array<std::uint8_t, 6>;

// BVLC-SC functions and control flags, and the error codes of the NAKs the hub sends.
enum : std::uint8_t {
    fRESULT = 0x00,
    fNPDU = 0x01,
    fADDR_RES = 0x02,
    fADDR_RES_ACK = 0x03,
    fADVERT = 0x04,
    fADVERT_SOL = 0x05,
    fCONNECT_REQ = 0x06,
    fCONNECT_ACC = 0x07,
    fDISC_REQ = 0x08,
    fDISC_ACK = 0x09,
    fHB_REQ = 0x0A,
    fHB_ACK = 0x0B
};
constexpr std::uint8_t cORIG = 0x08, cDEST = 0x04, cDOPT = 0x02, cDATAOPT = 0x01;
constexpr unsigned uDUPLICATE_VMAC = 151, uHEADER_ENCODING = 145;
const VMAC vBROADCAST{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
const VMAC vHUB{0x02, 0x48, 0x55, 0x42, 0x00, 0x00}; // "HUB"

struct MSG {
    std::uint8_t ucFunc = 0, ucCtrl = 0;
    std::uint16_t usId = 0;
    bool bOrig = false, bDest = false;
    VMAC vOrig{}, vDest{};
    const std::uint8_t *pPay = nullptr;
    std::size_t uPay = 0;
};

// The options of one list from p on: false when one runs past the end.
bool SkipOptions(const std::uint8_t *pBuf, std::size_t uLen, std::size_t &p) {
    for (bool bMore = true; bMore;) {
        if (p >= uLen) return false;
        const std::uint8_t ucMark = pBuf[p++];
        bMore = ucMark & 0x80;
        if (ucMark & 0x20) {
            if (uLen - p < 2) return false;
            const std::size_t n = static_cast<std::size_t>(pBuf[p] << 8 | pBuf[p + 1]);
            if (uLen - p - 2 < n) return false;
            p += 2 + n;
        }
    }
    return true;
}

bool Parse(const std::uint8_t *pBuf, std::size_t uLen, MSG &m) {
    if (uLen < 4) return false;
    m.ucFunc = pBuf[0], m.ucCtrl = pBuf[1], m.usId = static_cast<std::uint16_t>(pBuf[2] << 8 | pBuf[3]);
    std::size_t p = 4;
    if (m.ucCtrl & cORIG) {
        if (uLen - p < 6) return false;
        std::memcpy(m.vOrig.data(), pBuf + p, 6), m.bOrig = true, p += 6;
    }
    if (m.ucCtrl & cDEST) {
        if (uLen - p < 6) return false;
        std::memcpy(m.vDest.data(), pBuf + p, 6), m.bDest = true, p += 6;
    }
    if ((m.ucCtrl & cDOPT) && !SkipOptions(pBuf, uLen, p)) return false;
    if ((m.ucCtrl & cDATAOPT) && !SkipOptions(pBuf, uLen, p)) return false;
    m.pPay = pBuf + p, m.uPay = uLen - p;
    return true;
}

std::vector<std::uint8_t> Build(std::uint8_t ucFunc, std::uint16_t usId, const VMAC *pOrig, const VMAC *pDest,
                                const std::uint8_t *pPay, std::size_t uPay) {
    std::vector<std::uint8_t> v{ucFunc, static_cast<std::uint8_t>((pOrig ? cORIG : 0) | (pDest ? cDEST : 0)),
                                static_cast<std::uint8_t>(usId >> 8), static_cast<std::uint8_t>(usId)};
    if (pOrig) v.insert(v.end(), pOrig->begin(), pOrig->end());
    if (pDest) v.insert(v.end(), pDest->begin(), pDest->end());
    if (uPay) v.insert(v.end(), pPay, pPay + uPay);
    return v;
}

std::string Text(const VMAC &v) {
    char c[18];
    std::snprintf(c, sizeof c, "%02X:%02X:%02X:%02X:%02X:%02X", v[0], v[1], v[2], v[3], v[4], v[5]);
    return c;
}

// A node's VMAC as the simulator's source address of the frames it serves (4 bytes address, 2 bytes port).
void AsAddr(const VMAC &v, std::uint32_t &ulIp, std::uint16_t &usPort) {
    ulIp = static_cast<std::uint32_t>(v[0]) << 24 | v[1] << 16 | v[2] << 8 | v[3];
    usPort = static_cast<std::uint16_t>(v[4] << 8 | v[5]);
}

struct NODE {
    int iFd = -1;
    lws *wsi = nullptr;
    bool bConnected = false; // its Connect-Request accepted
    bool bClose = false;     // to be closed by the hub
    VMAC vVmac{};
    std::deque<std::vector<std::uint8_t>> qOut;
    std::vector<std::uint8_t> vIn; // a message being put together from its fragments
};

std::deque<NODE> qNodes;
lws_context *pContext = nullptr;
int iListen = -1;
std::int64_t llDownUntil = -1; // refusing connections until then (ns); -2 for good
std::uint32_t ulNpdus = 0;     // NPDUs received from nodes, for the drop fault
bool bDupRefused = false;
std::uint16_t usHubId = 0;

NODE *ByWsi(lws *wsi) {
    for (NODE &n : qNodes)
        if (n.wsi == wsi) return &n;
    return nullptr;
}

void Log(const NODE &n, const std::string &s) {
    BS_LOG("hub vmac=" + Text(n.vVmac) + " sc=" + s);
}

void Queue(NODE &n, std::vector<std::uint8_t> v) {
    v.insert(v.begin(), LWS_PRE, 0);
    n.qOut.push_back(std::move(v));
    if (n.wsi) lws_callback_on_writable(n.wsi);
}

void Nak(NODE &n, const MSG &m, unsigned uCode, std::uint16_t usId) {
    const std::uint8_t aPay[7] = {m.ucFunc,
                                  0x01,
                                  0x00,
                                  0x00,
                                  0x07,
                                  static_cast<std::uint8_t>(uCode >> 8),
                                  static_cast<std::uint8_t>(uCode)};
    Queue(n, Build(fRESULT, usId, nullptr, nullptr, aPay, sizeof aPay));
}

bool VmacTaken(const VMAC &v) {
    for (const NODE &n : qNodes)
        if (n.bConnected && n.vVmac == v) return true;
    for (std::size_t i = 0; i < stBS_Bld.vHosts.size(); ++i)
        if (BS_HUB_VMAC(i) == v) return true;
    return v == vHUB || v == vBROADCAST;
}

void Connect(NODE &n, const MSG &m) {
    std::memcpy(n.vVmac.data(), m.pPay, 6);
    // A hub may answer a refusal with a message id of its own: the node must take it all the same.
    if (stBS_Hub.bDupVmac && !bDupRefused) {
        bDupRefused = true;
        Log(n, "connect answer=nak:duplicate-vmac");
        return Nak(n, m, uDUPLICATE_VMAC, static_cast<std::uint16_t>(m.usId + 0x4000));
    }
    if (VmacTaken(n.vVmac)) {
        Log(n, "connect answer=nak:duplicate-vmac");
        return Nak(n, m, uDUPLICATE_VMAC, m.usId);
    }
    std::uint8_t aPay[26] = {};
    std::memcpy(aPay, vHUB.data(), 6);
    std::memcpy(aPay + 6, "bacsim-hub-uuid!", 16);
    aPay[22] = 0x06, aPay[23] = 0x40, aPay[24] = 0x05, aPay[25] = 0xDC; // 1600, 1500
    Queue(n, Build(fCONNECT_ACC, m.usId, nullptr, nullptr, aPay, sizeof aPay));
    n.bConnected = true;
    Log(n, "connect answer=accept");
    // What a hub asks of its nodes now and then, asked at once: the answers go into the log.
    for (std::uint8_t ucFunc : {fADVERT_SOL, fADDR_RES, fHB_REQ})
        Queue(n, Build(ucFunc, ++usHubId, nullptr, nullptr, nullptr, 0));
}

// The NPDU behind a frame's BVLC header, as the simulator's hosts build frames.
bool NpduOf(const std::vector<std::uint8_t> &vFrame, std::size_t &uFrom) {
    if (vFrame.size() < 5 || vFrame[0] != 0x81) return false;
    uFrom = vFrame[1] == 0x04 ? 10 : 4;
    return vFrame.size() > uFrom;
}

// A node's NPDU to a host (or every host) is served as a datagram from the node's address would be.
void ToHosts(const NODE &n, const MSG &m, bool bBroadcast, const VMAC &vDest) {
    std::vector<std::uint8_t> vFrame{0x81, static_cast<std::uint8_t>(bBroadcast ? 0x0B : 0x0A), 0, 0};
    vFrame.insert(vFrame.end(), m.pPay, m.pPay + m.uPay);
    vFrame[2] = static_cast<std::uint8_t>(vFrame.size() >> 8),
    vFrame[3] = static_cast<std::uint8_t>(vFrame.size());
    std::uint32_t ulIp;
    std::uint16_t usPort;
    AsAddr(n.vVmac, ulIp, usPort);
    for (std::size_t i = 0; i < stBS_Bld.vHosts.size(); ++i)
        if (!stBS_Bld.vHosts[i].bBbmd && (bBroadcast || BS_HUB_VMAC(i) == vDest))
            BS_SERVE(i, bBroadcast, ulIp, usPort, vFrame.data(), vFrame.size());
}

void CloseAll(const char *cWhy) {
    for (NODE &n : qNodes) {
        n.bClose = true;
        if (n.wsi) lws_callback_on_writable(n.wsi);
        Log(n, std::string("dropped why=") + cWhy);
    }
    if (iListen >= 0) close(iListen), iListen = -1;
}

void Npdu(NODE &n, const MSG &m) {
    if (!m.bDest || m.bOrig) return Nak(n, m, uHEADER_ENCODING, m.usId);
    const bool bBroadcast = m.vDest == vBROADCAST;
    ToHosts(n, m, bBroadcast, m.vDest);
    for (NODE &o : qNodes)
        if (&o != &n && o.bConnected && (bBroadcast || o.vVmac == m.vDest))
            Queue(o, Build(fNPDU, m.usId, &n.vVmac, bBroadcast ? &vBROADCAST : nullptr, m.pPay, m.uPay));
    if (++ulNpdus == stBS_Hub.ulDropAfter) {
        llDownUntil = stBS_Hub.dDownSeconds < 0
                          ? -2
                          : BS_NOW_NS() + static_cast<std::int64_t>(stBS_Hub.dDownSeconds * 1e9);
        CloseAll("drop-after");
    }
}

void Message(NODE &n, const std::uint8_t *pBuf, std::size_t uLen) {
    MSG m;
    if (!Parse(pBuf, uLen, m)) return Log(n, "malformed len=" + std::to_string(uLen));
    if (!n.bConnected) {
        if (m.ucFunc == fCONNECT_REQ && m.uPay == 26 && !m.bOrig && !m.bDest) return Connect(n, m);
        return Log(n, "before-connect func=" + std::to_string(m.ucFunc));
    }
    switch (m.ucFunc) {
    case fNPDU:
        return Npdu(n, m);
    case fHB_REQ:
        return Queue(n, Build(fHB_ACK, m.usId, nullptr, nullptr, nullptr, 0));
    case fDISC_REQ:
        Queue(n, Build(fDISC_ACK, m.usId, nullptr, nullptr, nullptr, 0));
        n.bClose = true;
        return Log(n, "disconnect");
    case fADVERT:
        return Log(n, "advertisement status=" + std::to_string(m.uPay >= 1 ? m.pPay[0] : -1) +
                          " direct=" + std::to_string(m.uPay >= 2 ? m.pPay[1] : -1));
    case fADDR_RES_ACK:
        return Log(n, "address-resolution-ack uris=" + std::to_string(m.uPay));
    case fHB_ACK:
        return Log(n, "heartbeat-ack");
    case fRESULT:
        return Log(n, "result func=" + std::to_string(m.uPay >= 1 ? m.pPay[0] : -1));
    default:
        return Log(n, "func=" + std::to_string(m.ucFunc));
    }
}

int Callback(lws *wsi, lws_callback_reasons iReason, void *, void *pIn, size_t uLen) {
    NODE *n = ByWsi(wsi);
    switch (iReason) {
    case LWS_CALLBACK_OPENSSL_PERFORM_CLIENT_CERT_VERIFICATION:
        // refused when the node's certificate does not check out against the issuer
        if (uLen == 0) BS_LOG("hub sc=tls-refused");
        return uLen == 0 ? 1 : 0;
    case LWS_CALLBACK_FILTER_PROTOCOL_CONNECTION: {
        char cPath[256] = "";
        lws_hdr_copy(wsi, cPath, sizeof cPath, WSI_TOKEN_GET_URI);
        if (stBS_Hub.sPath == cPath) return 0;
        BS_LOG("hub sc=upgrade-refused path=" + std::string(cPath));
        lws_return_http_status(wsi, HTTP_STATUS_NOT_FOUND, nullptr);
        return -1;
    }
    case LWS_CALLBACK_RECEIVE:
        if (n == nullptr || !lws_frame_is_binary(wsi)) break;
        n->vIn.insert(n->vIn.end(), static_cast<std::uint8_t *>(pIn),
                      static_cast<std::uint8_t *>(pIn) + uLen);
        if (lws_is_final_fragment(wsi)) {
            std::vector<std::uint8_t> v;
            v.swap(n->vIn);
            Message(*n, v.data(), v.size());
        }
        break;
    case LWS_CALLBACK_SERVER_WRITEABLE:
        if (n == nullptr) break;
        while (!n->qOut.empty() && !lws_send_pipe_choked(wsi)) {
            std::vector<std::uint8_t> &v = n->qOut.front();
            const int iLen = static_cast<int>(v.size() - LWS_PRE);
            if (lws_write(wsi, v.data() + LWS_PRE, static_cast<size_t>(iLen), LWS_WRITE_BINARY) < iLen)
                return -1;
            n->qOut.pop_front();
        }
        if (!n->qOut.empty()) lws_callback_on_writable(wsi);
        return n->bClose && n->qOut.empty() ? -1 : 0;
    case LWS_CALLBACK_CLOSED:
    case LWS_CALLBACK_WSI_DESTROY:
        for (auto it = qNodes.begin(); it != qNodes.end(); ++it)
            if (it->wsi == wsi) {
                if (it->bConnected && iReason == LWS_CALLBACK_CLOSED) Log(*it, "closed");
                qNodes.erase(it);
                break;
            }
        break;
    default:
        break;
    }
    return 0;
}

lws_protocols aProtocols[] = {{"hub.bsc.bacnet.org", Callback, 0, 4096, 0, nullptr, 0},
                              {nullptr, nullptr, 0, 0, 0, nullptr, 0}};

bool Listen(std::string &sErr) {
    iListen = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    int iOn = 1;
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(static_cast<std::uint16_t>(stBS_Hub.iPort));
    if (iListen < 0 || setsockopt(iListen, SOL_SOCKET, SO_REUSEADDR, &iOn, sizeof iOn) != 0 ||
        bind(iListen, reinterpret_cast<sockaddr *>(&sa), sizeof sa) != 0 || listen(iListen, 16) != 0) {
        sErr = "hub port " + std::to_string(stBS_Hub.iPort) + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace

bool bBS_HubAn = false;

BS_HUB_VMAC_T BS_HUB_VMAC(std::size_t uHost) {
    return {0x02,
            0x00,
            0x00,
            0x00,
            static_cast<std::uint8_t>((uHost + 1) >> 8),
            static_cast<std::uint8_t>(uHost + 1)};
}

bool BS_HUB_OPEN(std::string &sErr) {
    lws_set_log_level(0, nullptr);
    lws_context_creation_info stInfo{};
    stInfo.port = CONTEXT_PORT_NO_LISTEN_SERVER;
    stInfo.protocols = aProtocols;
    stInfo.options =
        LWS_SERVER_OPTION_DO_SSL_GLOBAL_INIT | LWS_SERVER_OPTION_REQUIRE_VALID_OPENSSL_CLIENT_CERT;
    stInfo.ssl_cert_filepath = stBS_Hub.sCert.c_str();
    stInfo.ssl_private_key_filepath = stBS_Hub.sKey.c_str();
    stInfo.ssl_ca_filepath = stBS_Hub.sCa.c_str();
    pContext = lws_create_context(&stInfo);
    if (pContext == nullptr) {
        sErr = "hub: TLS context not made (certificate " + stBS_Hub.sCert + ", key " + stBS_Hub.sKey +
               ", issuer " + stBS_Hub.sCa + ")";
        return false;
    }
    bBS_HubAn = true;
    return Listen(sErr);
}

int BS_HUB_POLL(std::vector<pollfd> &vPoll) {
    if (iListen < 0 && llDownUntil >= 0 && BS_NOW_NS() >= llDownUntil) {
        std::string sErr;
        llDownUntil = -1;
        if (!Listen(sErr)) std::fprintf(stderr, "bacsim: %s\n", sErr.c_str());
        BS_LOG("hub sc=back");
    }
    bool bBusy = false;
    if (iListen >= 0) vPoll.push_back({iListen, POLLIN, 0});
    for (const NODE &n : qNodes) {
        vPoll.push_back({n.iFd, POLLIN, 0});
        bBusy = bBusy || !n.qOut.empty() || n.bClose;
    }
    if (bBusy || (pContext != nullptr && lws_service_adjust_timeout(pContext, 1, 0) == 0)) return 0;
    // the library's own timers (a handshake that stalls) and the way back after a drop: looked at often
    return 50;
}

void BS_HUB_SERVE(const std::vector<pollfd> &vPoll, std::size_t uFrom) {
    for (std::size_t i = uFrom; i < vPoll.size(); ++i) {
        if (vPoll[i].fd != iListen || !(vPoll[i].revents & POLLIN)) continue;
        for (int iFd; (iFd = accept4(iListen, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0;) {
            for (auto it = qNodes.begin(); it != qNodes.end(); ++it)
                if (it->iFd == iFd) { // a number the system gave out again: the old connection is gone
                    qNodes.erase(it);
                    break;
                }
            int iOn = 1; // each message goes at once, not held back for the next
            setsockopt(iFd, IPPROTO_TCP, TCP_NODELAY, &iOn, sizeof iOn);
            qNodes.push_back(NODE{});
            qNodes.back().iFd = iFd;
            qNodes.back().wsi = lws_adopt_socket(pContext, iFd);
            if (qNodes.back().wsi == nullptr) qNodes.pop_back();
        }
    }
    if (pContext != nullptr) lws_service(pContext, -1);
}

void BS_HUB_DELIVER(std::size_t uHost, std::uint32_t ulIp, std::uint16_t usPort,
                    const std::vector<std::uint8_t> &vFrame) {
    std::size_t uFrom;
    if (!NpduOf(vFrame, uFrom)) return;
    const BS_HOST &h = stBS_Bld.vHosts[uHost];
    const VMAC vFrom = BS_HUB_VMAC(uHost);
    const bool bBroadcast = ulIp == h.ulBcast && usPort == h.usPort;
    for (NODE &n : qNodes) {
        std::uint32_t ulN;
        std::uint16_t usN;
        AsAddr(n.vVmac, ulN, usN);
        if (n.bConnected && !n.bClose && (bBroadcast || (ulN == ulIp && usN == usPort)))
            Queue(n, Build(fNPDU, ++usHubId, &vFrom, bBroadcast ? &vBROADCAST : nullptr,
                           vFrame.data() + uFrom, vFrame.size() - uFrom));
    }
}

void BS_HUB_CLOSE() {
    if (pContext != nullptr) lws_context_destroy(pContext);
    pContext = nullptr;
    if (iListen >= 0) close(iListen);
    iListen = -1;
}
