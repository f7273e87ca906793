// bacsim: a BACnet/IP building simulator for tests and demonstrations. It has its own small encoder and
// decoder and shares no code with the scanner's BACnet layer, so a mistake in one is not mirrored in the
// other.
#pragma once
#include <array>
#include <cstdint>
#include <cstdio>
#include <poll.h>
#include <sstream>
#include <string>
#include <vector>

// ---- Building description
// ----------------------------------------------------------------------------------

// One property value of an object. Arrays (state texts) keep their elements in vList.
struct BS_VALUE {
    char cKind =
        0; // 'c' character string, 'e' enumerated, 'u' unsigned, 'r' real, 'b' boolean, 'a' text array
    std::string sText;
    double dNum = 0;
    std::vector<std::string> vList;
    std::uint8_t ucCharset = 0; // character set of a text or text array (the building's unless bOwnCharset)
    bool bOwnCharset = false;
};

struct BS_PROP {
    std::uint32_t ulId = 0;
    BS_VALUE stVal;
};

// A refusal injected for one property (or for every property with ulProp all ones).
struct BS_PROPFAULT {
    std::uint32_t ulProp = 0xFFFFFFFF;
    char cKind = 0;          // 'e' Error, 'r' Reject, 'a' Abort
    unsigned uA = 0, uB = 0; // Error: class, code; Reject/Abort: reason
};

// An unsolicited frame sent when the n-th request for the device or object arrives, before its answer.
struct BS_EVENT {
    char cKind = 0; // 'c' confirmed COV notification, 'w' Who-Is, 'n' network-layer message, 'f' flood
    std::uint32_t ulAfter = 0;
    std::uint32_t ulRounds = 0; // flood: rounds of the host's I-Ams and a Who-Is
    bool bDone = false;
};

// Faults and counters shared by the device and object level.
struct BS_FAULTS {
    long lSilentAfter = -1; // requests answered before falling silent; -1 = never
    unsigned uDelayMs = 0;
    unsigned uJitterMs = 0; // each answer's delay drawn evenly from uDelayMs +- uJitterMs
    std::vector<BS_PROPFAULT> vProp;
    std::vector<BS_EVENT> vEvents;
    std::vector<std::uint32_t> vLose; // arrivals (counted from 1) that are lost once: lose-request K
    std::uint32_t ulArrived = 0;      // confirmed requests that reached it, lost ones included
    std::uint32_t ulCount = 0;        // confirmed requests received so far, lost ones not
};

struct BS_OBJECT {
    std::uint32_t ulType = 0, ulInst = 0;
    std::vector<BS_PROP> vProps;
    BS_FAULTS stFaults;
};

// Segmented answers of a device: the window it proposes (0 = it does not segment), and faults for tests, each
// counted over the segments the device sends (first send: 1): one lost once, one sent twice, one sent
// before the one ahead of it, and a device that sends past what the requester takes.
struct BS_SEG_Struct {
    unsigned uFenster = 0;
    unsigned uVerlieren = 0, uDoppelt = 0, uTauschen = 0;
    bool bUeberMax = false;
    unsigned uGesendet = 0; // segments sent so far
};

struct BS_DEVICE {
    std::uint32_t ulInst = 0;
    std::uint16_t usNet = 0; // 0 = directly on the host's B/IP network, else a network behind the host
    std::vector<std::uint8_t> vMac;
    std::size_t uHost = 0;
    unsigned uVendor = 260;
    bool bIamAtStart = false;
    bool bRpm = true;             // answers ReadPropertyMultiple; "rpm off": rejects it as an unknown service
    unsigned uMaxApdu = 1476;     // in its I-Am; longer answers are refused with an Abort
    unsigned uDropAbove = 0;      // answers longer than this many bytes are not sent at all; 0 = every one is
    std::vector<BS_OBJECT> vObjs; // vObjs[0] is the device object itself
    BS_FAULTS stFaults;
    long lDupMs = -1;    // every answer sent again this many ms later; -1 = the host's
    BS_SEG_Struct stSeg; // segmented answers ("segmentation"), and their faults
};

// A foreign device registered with a BBMD host, and when its entry runs out (time-to-live and grace period).
struct BS_FDT {
    std::uint32_t ulIp = 0;
    std::uint16_t usPort = 0;
    std::uint16_t usTtl = 0;
    std::int64_t llEndsNs = 0; // on the monotonic clock
};

// What a BBMD host keeps: its broadcast distribution table (peers reached by unicast), its foreign devices,
// and the refusals asked for, each from the K-th such message on (0 = never).
struct BS_BBMD_Struct {
    std::vector<std::pair<std::uint32_t, std::uint16_t>> vBdt;
    std::vector<BS_FDT> vFdt;
    std::uint32_t aNakFrom[3] = {0, 0, 0}; // register, delete, distribute
    std::uint32_t aCount[3] = {0, 0, 0};
};

// A router that holds at most uMax requests per network (0 = any number) and serves each network one request
// at a time, as a router to slow trunks does; cFull says what it does with a request beyond: 'd' drops it,
// 'b' drops it and answers Router-Busy-To-Network (and Router-Available-To-Network once there is room
// again), 'r' answers Reject-Message-To-Network "router busy".
struct BS_QUEUE_Struct {
    unsigned uMax = 0;
    char cFull = 'd';
    bool bIams =
        false; // "iams": the I-Ams of its networks' devices pass the same buffer (an I-Am storm loses)
    std::vector<std::pair<std::uint16_t, std::vector<std::int64_t>>> vNets; // per network: when each held
                                                                            // request's answer leaves (ns)
    std::vector<std::uint16_t> vBusy; // networks said busy, Available not yet queued
};

// What a router host says of its networks beyond those its devices sit on: the number of its own B/IP
// network (0 = not known), whether it is a router even without routed devices, networks it claims without
// routing them, and networks it routes without telling (a gateway's virtual network).
struct BS_NETLAYER_Struct {
    std::uint16_t usOwnNet = 0;
    bool bRouter = false;
    std::vector<std::uint16_t> vClaims, vHidden;
};

struct BS_HOST {
    std::uint32_t ulIp = 0; // host byte order
    std::uint16_t usPort = 47808;
    std::uint32_t ulBcast = 0;
    bool bIamUnicast = false;
    std::vector<std::uint16_t> vNets; // networks routed behind this host
    double dLoss = -1;                // chance that a confirmed request is lost; -1 = the building's
    long lDupMs = -1;                 // duplicate answers: as BS_DEVICE, -1 = the building's
    BS_FAULTS stDelay;                // "delay" after the host line: where its devices start from
    int iFd = -1;
    bool bBbmd = false;      // a BBMD: serves the BVLL and carries no device
    BS_QUEUE_Struct stQueue; // "queue N": how the router holds requests for its networks
    BS_BBMD_Struct stBbmd;
    BS_NETLAYER_Struct stNl;
};

struct BS_BUILDING {
    std::vector<BS_HOST> vHosts;
    std::vector<BS_DEVICE> vDevs;
    std::uint8_t ucCharset = 0; // of every text without a character set of its own
    double dLoss = 0;           // for hosts without a loss of their own
    long lDupMs = -1;           // for hosts and devices without a duplicate of their own; -1 = none
    std::uint64_t ullSeed = 1;  // --seed: which requests a loss picks
};

extern BS_BUILDING stBS_Bld;

// ---- Operations
// ---------------------------------------------------------------------------------------------

// Reads a building description; on failure fills sErr with "file:line: reason" and returns false.
bool BS_LOAD(const char *cPath, BS_BUILDING &stBld, std::string &sErr);
// "ADDR[#PORT]" (port 47808 by default), host byte order; on failure fills sWhy.
bool BS_ENDPOINT(const std::string &sText, std::uint32_t &ulIp, std::uint16_t &usPort, std::string &sWhy);
// Parses one text of the description: rest of line, blanks trimmed, \xHH and \\ escapes resolved.
std::string BS_UNESCAPE(const std::string &sIn);
// Object type number from a short name (AI, BV, MSV, DEVICE ...) or a decimal number; -1 if unknown.
long BS_OBJTYPE(const std::string &sName);
// Property number from its name (object-name, state-text ...), a decimal number or "*"; -1 if unknown.
long BS_PROPID(const std::string &sName);
// The text of --help.
const char *BS_HELP();

// Encoding (application and context tags, big-endian).
void BS_PUT16(std::vector<std::uint8_t> &v, unsigned uVal);
void BS_PUT32(std::vector<std::uint8_t> &v, std::uint32_t ulVal);
void BS_TAG_UNSIGNED(std::vector<std::uint8_t> &v, int iCtx, unsigned uAppTag, std::uint32_t ulVal);
void BS_TAG_OBJID(std::vector<std::uint8_t> &v, int iCtx, std::uint32_t ulObjId);
void BS_TAG_VALUE(std::vector<std::uint8_t> &v, const BS_VALUE &stVal, std::uint8_t ucCharset);
// A text of the description (UTF-8, or bytes of \xHH escapes) as character set ucCharset carries it: UCS-2
// (4) and UCS-4 (3) big-endian, ISO 8859-1 (5), any other set the bytes as written.
void BS_TAG_TEXT(std::vector<std::uint8_t> &v, const std::string &sText, std::uint8_t ucCharset);

// Decoding of one tag inside [p, pEnd): false when the tag does not fit.
struct BS_TAG {
    unsigned uNum = 0;
    bool bCtx = false, bOpen = false, bClose = false;
    std::size_t uHdr = 0, uLen = 0; // header bytes and content bytes
};
bool BS_TAG_READ(const std::uint8_t *p, const std::uint8_t *pEnd, BS_TAG &stTag);
std::uint32_t BS_TAG_UINT(const std::uint8_t *p, const BS_TAG &stTag);

// A received frame split into its BVLC, NPDU and APDU parts. Every offset lies inside the datagram.
struct BS_FRAME {
    std::uint8_t ucFunc = 0;
    std::uint32_t ulOrigIp = 0; // B/IP address carried in a Forwarded-NPDU, else the UDP sender
    std::uint16_t usOrigPort = 0;
    std::uint8_t ucCtrl = 0;
    bool bDnet = false;
    std::uint16_t usDnet = 0;
    std::vector<std::uint8_t> vDadr;
    bool bSnet = false;
    std::uint16_t usSnet = 0;
    std::vector<std::uint8_t> vSadr;
    std::uint8_t ucNetMsg = 0;
    std::size_t uApdu = 0, uEnd = 0; // APDU (or network message content) from uApdu to uEnd
};
// Returns "" when the frame is usable, otherwise a short reason for the log.
const char *BS_PARSE(const std::uint8_t *pBuf, std::size_t uLen, std::uint32_t ulSrcIp,
                     std::uint16_t usSrcPort, BS_FRAME &stFr);

// Builds a frame for the wire: BVLC (unicast or broadcast), NPDU with optional source specifier, then pPdu.
// A network-layer message passes bNetMsg.
std::vector<std::uint8_t> BS_FRAME_BUILD(bool bBroadcast, const BS_DEVICE *pSrcDev,
                                         const std::vector<std::uint8_t> &vPdu, bool bNetMsg = false,
                                         bool bExpectReply = false);

// Sockets, sending (with per-answer delay) and capture file.
bool BS_NET_OPEN(BS_BUILDING &stBld, std::string &sErr);
// sLogSent, when given, goes into the request log as the frame leaves.
void BS_SEND(std::size_t uHost, std::uint32_t ulIp, std::uint16_t usPort,
             const std::vector<std::uint8_t> &vFrame, unsigned uDelayMs, const std::string &sLogSent = "");
// When set, every frame goes to this function instead of the network: a test plays the building in its own
// process and delivers the answers itself.
using BS_SENKE_FN = void (*)(std::size_t uHost, std::uint32_t ulIp, std::uint16_t usPort,
                             const std::vector<std::uint8_t> &vFrame, unsigned uDelayMs);
extern BS_SENKE_FN pfBS_Senke;
// Sends what is due; returns when the next queued frame is due (nanoseconds on CLOCK_MONOTONIC), -1 when
// none is waiting. A delayed answer is due its delay after the request it answers arrived.
std::int64_t BS_SEND_DUE();
void BS_RUN(double dSeconds);
// Nanoseconds on CLOCK_MONOTONIC: due times, arrival times and the capture's time stamps.
std::int64_t BS_NOW_NS();
bool BS_PCAP_OPEN(const char *cPath);
// A frame received (stamped with its arrival) or sent (stamped as it left), llAtNs from BS_NOW_NS().
void BS_PCAP_WRITE(std::int64_t llAtNs, std::uint32_t ulSrc, std::uint16_t usSrcPort, std::uint32_t ulDst,
                   std::uint16_t usDstPort, const std::uint8_t *pData, std::size_t uLen);
void BS_PCAP_CLOSE();

// The "queue" statement for the last host: 1 taken, 0 wrong (sWhy).
bool BS_QUEUE_LINE(std::istringstream &is, BS_BUILDING &stBld, std::string &sWhy);
// A request for routed device stDev arrives at its router: false when the router's queue for the network is
// full and the request goes no further (what happened is in sLog, with a Router-Busy or Reject sent).
bool BS_QUEUE_ROOM(std::size_t uHost, const BS_DEVICE &stDev, std::uint32_t ulIp, std::uint16_t usPort,
                   std::string &sLog);
// Whether an I-Am of a device on usNet finds the router's buffer full ("queue N iams"): it is then lost.
bool BS_QUEUE_FULL(std::size_t uHost, std::uint16_t usNet);
// The request is held until the network has served those before it: the delay of its answer from now.
unsigned BS_QUEUE_TAKE(std::size_t uHost, const BS_DEVICE &stDev, unsigned uDelayMs);
// When set, the simulator's clock (ns) for a test that plays the building in its own process.
extern std::int64_t (*pfBS_Uhr)();

// Request handling.
void BS_SERVE(std::size_t uHost, bool bViaBroadcast, std::uint32_t ulSrcIp, std::uint16_t usSrcPort,
              const std::uint8_t *pBuf, std::size_t uLen);
bool BS_ADDRESSED(const BS_DEVICE &stDev, const BS_FRAME &stFr);
// Counts a confirmed request that reached the device (and the object it names, if any) and tells whether it
// is lost on its way: a lose-request fault, or the loss chance of its host drawn from the seed, the device
// and the request's arrival number, so the same scan loses the same requests on every run.
bool BS_LOST(BS_DEVICE &stDev, BS_OBJECT *pObj);
// A number in [0, 1) drawn from --seed, ullKey and ulNr: the same on every run and machine.
double BS_DRAW(std::uint64_t ullKey, std::uint32_t ulNr);
// True once a device or object has answered as many requests as its silent-after fault allows.
bool BS_SILENT(const BS_FAULTS &stFaults);
void BS_WHOIS(std::size_t uHost, const BS_FRAME &stFr, const std::uint8_t *pBuf, std::string &sLog);
void BS_READPROP(BS_DEVICE &stDev, const BS_FRAME &stFr, const std::uint8_t *pBuf, std::string &sLog,
                 std::vector<std::uint8_t> &vAnswer, unsigned &uDelayMs, bool &bSilent);
void BS_RPM(BS_DEVICE &stDev, const BS_FRAME &stFr, const std::uint8_t *pBuf, std::string &sLog,
            std::vector<std::uint8_t> &vAnswer, unsigned &uDelayMs, bool &bSilent);
// The delay of one answer: MS, or with a jitter drawn per request that reached the device or object (its
// own key, so the draws do not follow the loss draws).
unsigned BS_DELAY(const BS_FAULTS &f, std::uint64_t ullKey);
// One property of an object (array index lIdx, -1 = whole) as its value's tags appended to vWert, or false
// with the refusal in stNein: an injected fault, or the Error a device gives for what it lacks.
bool BS_PROPVAL(const BS_DEVICE &stDev, const BS_OBJECT *pObj, std::uint32_t ulProp, long lIdx,
                std::vector<std::uint8_t> &vWert, BS_PROPFAULT &stNein);
// The device limits of the description (rpm, max-apdu, drop-above): 1 taken, 0 wrong (sWhy), -1 another key.
int BS_DEVICE_LIMIT(const std::string &sKey, std::istringstream &is, BS_DEVICE &stDev, bool bInObject,
                    std::string &sWhy);
// An answer longer than the device's drop-above limit: true, and its log line says answer=dropped:SIZE.
bool BS_DROPPED(const BS_DEVICE &stDev, const std::vector<std::uint8_t> &vApdu, std::string &sLog);
// The device's I-Am as a frame, broadcast or to one node; BS_IAM_SEND queues it with the device's delay.
std::vector<std::uint8_t> BS_IAM_FRAME(const BS_DEVICE &stDev, bool bBroadcast);
void BS_IAM_SEND(const BS_DEVICE &stDev, bool bBroadcast, std::uint32_t ulIp, std::uint16_t usPort);
void BS_EVENTS_FIRE(BS_DEVICE &stDev, BS_FAULTS &stFaults, const BS_OBJECT *pObj, std::uint32_t ulIp,
                    std::uint16_t usPort);

// BBMD hosts: a "bdt" or "nak" line of the description for the last host; every frame a BBMD host receives.
bool BS_BBMD_LINE(const std::string &sKey, std::istringstream &is, BS_BUILDING &stBld, std::string &sWhy);
void BS_BBMD(std::size_t uHost, bool bViaBroadcast, std::uint32_t ulSrcIp, std::uint16_t usSrcPort,
             const std::uint8_t *pBuf, std::size_t uLen);

// Router hosts: a "network", "router", "claims" or "hide" line for the last host (1 taken, 0 wrong, -1
// another keyword); every network-layer message a host receives; whether a device sits on a network its
// router hides.
int BS_NETLAYER_LINE(const std::string &sKey, std::istringstream &is, BS_BUILDING &stBld, std::string &sWhy);
void BS_NETLAYER(std::size_t uHost, const BS_FRAME &stFr, const std::uint8_t *pBuf, std::string &sLog);
bool BS_HIDDEN(const BS_DEVICE &stDev);
// A BBMD's Read-Broadcast-Distribution-Table-Ack or Read-Foreign-Device-Table-Ack (ucFunc 0x02 or 0x06
// asked).
std::vector<std::uint8_t> BS_BBMD_TABLE(const BS_HOST &stHost, std::uint8_t ucFunc);

// Segmented answers (segment.cpp): the device keywords "segmentation", "segment-fault" and "objects";
// 1 taken, 0 wrong (sWhy), -1 another key.
int BS_SEG_LINE(const std::string &sKey, std::istringstream &is, BS_DEVICE &stDev, bool bInObject,
                std::string &sWhy);
// Whether the device answers the request (its APDU at pApdu) in segments when the answer is too long.
bool BS_SEG_TAKES(const BS_DEVICE &stDev, const std::uint8_t *pApdu);
// Sends the answer vApdu (a Complex-ACK) in segments, first window at once, from uDelayMs on; false when the
// requester takes fewer segments than it needs (the caller aborts with buffer-overflow).
bool BS_SEG_SEND(std::size_t uHost, BS_DEVICE &stDev, const BS_FRAME &stFr, const std::uint8_t *pApdu,
                 const std::vector<std::uint8_t> &vApdu, unsigned uDelayMs, std::string &sLog);
// A Segment-ACK from a requester: the next window, or the one named again.
void BS_SEG_ACK(std::size_t uHost, const BS_FRAME &stFr, const std::uint8_t *pBuf, std::string &sLog);

// A slow trunk behind a router (trunk.cpp): "trunk NET BAUD ROTATION-MS" after the router's host line. A
// frame to a device there (uAsked bytes as B/IP carries it) waits for the router's token and takes its
// octets' time; the device's frames back (vAnswered) follow after uDelayMs, at once as a reply, or with
// bToken when the device must wait for its own token (the windows of a segmented answer after the first).
// The delays of the frames back from now, in ms; their octets and time go into the request log line.
bool BS_TRUNK_LINE(std::istringstream &is, BS_BUILDING &stBld, std::string &sWhy);
bool BS_TRUNK(std::size_t uHost, std::uint16_t usNet);
std::vector<unsigned> BS_TRUNK_TAKE(std::size_t uHost, std::uint16_t usNet, std::size_t uAsked,
                                    const std::vector<std::size_t> &vAnswered, unsigned uDelayMs, bool bToken,
                                    std::string &sLog);

// Request log: one line per frame received; nullptr when not asked for.
extern FILE *fpBS_Log;
void BS_LOG(const std::string &sLine);
std::string BS_IPTEXT(std::uint32_t ulIp, std::uint16_t usPort);

// ---- BACnet/SC hub (--hub)
// ---------------------------------------------------------------------------------- The hosts become nodes
// of a hub (host i has the VMAC 02:00:00:00:HH:LL of i + 1), and nodes that connect over TLS and WebSocket
// reach them through it; no UDP endpoint is opened.
struct BS_HUB_Struct {
    int iPort = 0; // TCP port of the hub; 0 = no hub
    std::string sCert, sKey, sCa, sPath = "/";
    std::uint32_t ulDropAfter = 0; // NPDUs from nodes after which every connection is closed (0 = never)
    double dDownSeconds = 0;       // how long the hub then takes no connection; negative: never again
    bool bDupVmac = false;         // the first Connect-Request is refused: VMAC in use
};
extern BS_HUB_Struct stBS_Hub;
extern bool bBS_HubAn; // the hub serves
using BS_HUB_VMAC_T = std::array<std::uint8_t, 6>;
BS_HUB_VMAC_T BS_HUB_VMAC(std::size_t uHost);
// TLS context and listening socket: false with the reason in sErr.
bool BS_HUB_OPEN(std::string &sErr);
// Appends the hub's sockets to vPoll: the longest wait in ms the hub allows (0: it has work now).
int BS_HUB_POLL(std::vector<pollfd> &vPoll);
// Accepts what the listening socket among vPoll[uFrom..] has waiting, and serves the connections.
void BS_HUB_SERVE(const std::vector<pollfd> &vPoll, std::size_t uFrom);
// A frame a host sends to ulIp:usPort goes to the node of that VMAC, or to every node for the host's
// broadcast.
void BS_HUB_DELIVER(std::size_t uHost, std::uint32_t ulIp, std::uint16_t usPort,
                    const std::vector<std::uint8_t> &vFrame);
void BS_HUB_CLOSE();
