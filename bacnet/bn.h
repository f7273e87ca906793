// BACnet/IP protocol layer of the scanner: frame layout, tag decoding, ReadProperty requests, incoming
// message check, own-device answers, route table and frame trace.
#pragma once
#include <cstdint>
#include "ip/ip.h"

// ---- Frame buffers and the scanner's own identity ---------------------------------------------------------
constexpr int QX04_BUF_SIZE = 1500;
extern unsigned char QX04_RECV_Buf[QX04_BUF_SIZE];
extern unsigned char QX04_SEND_Buf[QX04_BUF_SIZE];
extern unsigned char ucQX04_InvokeId; // invoke id drawn last; the message check's outstanding id
extern std::uint32_t ulQX04_SDEV;     // the scanner's own device object identifier
extern int iQX04_IP_Port;             // the scanner's UDP port
extern std::uint32_t ulQX04_IP_Adr;   // own address from the command line, 0xFFFFFFFF = none
extern int iQX04_IP_APP;              // index of the scanner's endpoint, -1 = not open
// Device instances the route table takes (-D): a device outside is neither learned nor scanned.
extern std::uint32_t ulQX04_DevMin, ulQX04_DevMax;
// The latest BVLC-Result received (its result code, -1 = none) and its sender; the scanner's registration
// with a BBMD reads and resets it.
extern int iQX04_BvlcErg;
// When the latest I-Am came (monotonic ms, UT_MSEK), 0 = none yet: the parallel scan waits for late devices.
extern std::uint32_t ulQX04_IamMs;
extern IP_PORT stQX04_BvlcVon;

// ---- Data link ------------------------------------------------------------------------------------------
// The layer's frames carry a BVLL header before the NPDU: Original-Unicast-NPDU, Original-Broadcast-NPDU or
// Forwarded-NPDU. Over BACnet/IP they are the datagrams themselves. Another data link takes the NPDU behind
// that header to the node's link address (every node for Original-Broadcast-NPDU), and hands up what it
// receives as an Original-Unicast-NPDU from the sender's link address. A link address is an IP_PORT: a B/IP
// node's endpoint, or a virtual MAC address of 6 bytes (the first 4 in ulAdr, the last 2 in usPort, each
// read most significant first).
struct QX04_LINK {
    int (*pSenden)(const IP_PORT *stZiel, int iLen, const unsigned char *ucFrame); // 0, or negative
    int (*pEmpfangen)(IP_PORT *stVon, int iMax, unsigned char *ucBuf); // bytes, -1 nothing waiting
    void (*pWarten)(int iMs);                                          // until something waits, at most iMs
    const char *(*pAdr2A)(const IP_PORT *stAdr);                       // text of a link address
    int (*pA2Adr)(const char *cText, IP_PORT *stAdr);                  // 0, or -1 for no link address
};
extern const QX04_LINK *pQX04_Link; // nullptr: BACnet/IP through the endpoint iQX04_IP_APP
// One frame to the link address stZiel: IP_SEND's result over BACnet/IP.
int QX04_BN_SENDEN(const IP_PORT *stZiel, int iLen, const unsigned char *ucFrame);
// One received frame into ucBuf (at most iMax bytes) with its sender: IP_RECV's result over BACnet/IP.
int QX04_BN_EMPFANGEN(IP_PORT *stVon, int iMax, unsigned char *ucBuf);
// Waits at most iMs until a frame is waiting.
void QX04_BN_WARTEN(int iMs);
// A link address as text (static buffer), and back; over BACnet/IP IP_PORT2A and IP_A2PORT.
const char *QX04_BN_ADR2A(const IP_PORT *stAdr);
int QX04_BN_A2ADR(const char *cText, IP_PORT *stAdr);

// ---- Frame layout, byte order, object identifiers, invoke ids --------------------------------------------
// BVLC length field (bytes 2 and 3) of a frame: the one bound for everything read from it.
inline unsigned QX04_BN_BVLCLEN(const unsigned char *ucFrame) {
    return (unsigned)ucFrame[2] << 8 | ucFrame[3];
}
// Offsets from the frame start, -1 when the piece is missing; bounded by the BVLC length alone, which the
// receive guard has checked against the bytes that arrived.
int QX04_BN_POSNPDU(const unsigned char *ucFrame);
int QX04_BN_POSAPDU(const unsigned char *ucFrame);
int QX04_BN_POSTAG(const unsigned char *ucFrame);
// Big-endian (wire order) conversions.
int QX04_BN_S2BNS(std::uint16_t usWert, unsigned char *ucOut);
int QX04_BN_L2BNL(std::uint32_t ulWert, unsigned char *ucOut);
std::uint16_t QX04_BN_BNS2S(const unsigned char *ucIn);
std::uint32_t QX04_BN_BNL2L(const unsigned char *ucIn);
// Object identifier: type in the upper 10 bits, instance in the lower 22.
std::uint32_t QX04_BN_OBJTYPE(std::uint32_t ulObjId);
std::uint32_t QX04_BN_OBJINSTANCE(std::uint32_t ulObjId);
// Next invoke id (255 wraps to 0), kept in ucQX04_InvokeId.
unsigned char QX04_BN_NXINVOKE();

// ---- BACnet numbers the scanner uses (ASHRAE 135, clause 21) --------------------------------------------
// Property identifiers.
constexpr std::uint16_t QX04_PROP_ACTIVE_TEXT = 4;
constexpr std::uint16_t QX04_PROP_DESCRIPTION = 28;
constexpr std::uint16_t QX04_PROP_INACTIVE_TEXT = 46;
constexpr std::uint16_t QX04_PROP_NUMBER_OF_STATES = 74;
constexpr std::uint16_t QX04_PROP_OBJECT_LIST = 76;
constexpr std::uint16_t QX04_PROP_OBJECT_NAME = 77;
constexpr std::uint16_t QX04_PROP_POLARITY = 84;
constexpr std::uint16_t QX04_PROP_PRESENT_VALUE = 85;
constexpr std::uint16_t QX04_PROP_STATE_TEXT = 110;
constexpr std::uint16_t QX04_PROP_UNITS = 117;
// Object types.
constexpr std::uint32_t QX04_OBJ_ANALOG_INPUT = 0, QX04_OBJ_ANALOG_OUTPUT = 1, QX04_OBJ_ANALOG_VALUE = 2;
constexpr std::uint32_t QX04_OBJ_BINARY_INPUT = 3, QX04_OBJ_BINARY_OUTPUT = 4, QX04_OBJ_BINARY_VALUE = 5;
constexpr std::uint32_t QX04_OBJ_DEVICE = 8;
constexpr std::uint32_t QX04_OBJ_MULTI_STATE_INPUT = 13, QX04_OBJ_MULTI_STATE_OUTPUT = 14;
constexpr std::uint32_t QX04_OBJ_MULTI_STATE_VALUE = 19;
constexpr std::uint32_t QX04_OBJ_INSTANCE_MAX = 0x3FFFFF; // 22 bits; all set = no instance
// Object identifier of a type and an instance.
constexpr std::uint32_t QX04_BN_OBJID(std::uint32_t ulTyp, std::uint32_t ulInst) {
    return ulTyp << 22 | (ulInst & QX04_OBJ_INSTANCE_MAX);
}
// Confirmed services and the APDU types of the answers to them (upper nibble of the APDU's first byte).
constexpr unsigned char QX04_SVC_READ_PROPERTY = 12, QX04_SVC_READ_PROP_MULTIPLE = 14;
constexpr int QX04_PDU_SIMPLE_ACK = 0x2, QX04_PDU_COMPLEX_ACK = 0x3, QX04_PDU_ERROR = 0x5;
constexpr int QX04_PDU_REJECT = 0x6, QX04_PDU_ABORT = 0x7;
// BVLC functions the scanner sends to a BBMD.
constexpr unsigned char QX04_BVLC_REGISTER_FD = 0x05, QX04_BVLC_DELETE_FDT_ENTRY = 0x08;
constexpr unsigned char QX04_BVLC_DISTRIBUTE_BROADCAST = 0x09;

// ---- Tag decoding --------------------------------------------------------------------------------------
// Type codes of QX04_BN_TAGNUM beside the application tag numbers 0..12.
constexpr int QX04_TAG_CONTEXT = 16, QX04_TAG_OPEN = 17, QX04_TAG_CLOSE = 18;
constexpr int QX04_TAG_UNSIGNED = 2, QX04_TAG_REAL = 4, QX04_TAG_TEXT = 7,
              QX04_TAG_OBJID = 12; // application tags the scanner looks for
int QX04_BN_TAGNUM(const unsigned char *ucTag);
// The tag functions read nothing at or after ucEnd when one is given: a tag that does not end before it
// counts as a tag of invalid length (0). Inside a received frame pass its end (frame + BVLC length); nullptr
// is for a complete tag in a buffer of one's own.
int QX04_BN_TAGLEN(const unsigned char *ucTag, const unsigned char *ucEnd = nullptr);
// Numeric value of at most four content bytes; 0xFFFFFFFF = none. iContext: application type that a
// context-specific tag is decoded as (12 object id, 9 enumerated, 2 unsigned, -1 none).
std::uint32_t QX04_BN_TAG2L(const unsigned char *ucTag, int iContext, const unsigned char *ucEnd = nullptr);
// Context tag iNum with the unsigned number ulWert in as few content bytes as it needs, at ucOut; its length.
int QX04_BN_KTAG(unsigned char *ucOut, int iNum, std::uint32_t ulWert);
// Context tag iNum (not opening or closing) at offset p of a frame of BVLC length iLen: its number into
// *ulWert and its length; 0 when another tag stands there or it holds no number of at most 32 bits.
int QX04_BN_KWERT(const unsigned char *ucFrame, int p, int iLen, int iNum, std::uint32_t *ulWert);
// Character string, at most 255 bytes, in a static buffer valid until the next TAG2C/GETCHAR; null when none.
char *QX04_BN_TAG2C(const unsigned char *ucTag, int iContext, const unsigned char *ucEnd = nullptr);
// BACnet character sets.
constexpr unsigned char QX04_SATZ_UTF8 = 0, QX04_SATZ_UCS4 = 3, QX04_SATZ_UCS2 = 4, QX04_SATZ_LATIN1 = 5;
// Bytes before the content of a tag of valid total length iLen (0 for one-byte tags).
int QX04_BN_TAGOFS(const unsigned char *ucTag, int iLen);
// Entry trace line of the tag value decoders (bDa: the tag byte may be read).
void QX04_BN_TAGTRC(const char *cRoutine, const unsigned char *ucTag, bool bDa, int iTyp, int iLen,
                    int iContext);
// Offset of the value tag of a ReadProperty-ACK for usPropId (0xFFFF = any), or -1; nothing at or after the
// frame's BVLC length is read.
int QX04_BN_POSWERT(const unsigned char *ucFrame, std::uint16_t usPropId);
// Value of a ReadProperty-ACK for usPropId (0xFFFF = any): application tag number of the value (its float, or
// for 12 the object identifier's bits, in *ulWert), or -1.
int QX04_BN_GETWERT(const unsigned char *ucFrame, std::uint16_t usPropId, std::uint32_t *ulWert);
// Character string of a ReadProperty-ACK for usPropId (0xFFFF = any), or null.
char *QX04_BN_GETCHAR(const unsigned char *ucFrame, std::uint16_t usPropId);
// The same two for the value tag at offset iPos of a received frame (0 or less: no value there).
int QX04_BN_WERT(const unsigned char *ucFrame, int iPos, std::uint32_t *ulWert);
char *QX04_BN_CHAR(const unsigned char *ucFrame, int iPos);
// One value of an acknowledgement, decoded once: where its tags lie, and its first tag as a number or as a
// character string.
struct QX04_BN_WERT_Struct {
    const unsigned char
        *ucAnf;           // the value's tags in the received frame, up to the end of the answer or result
    int iLen;             // their bytes; 0 = no value
    int iTag;             // application tag of a number (1, 2, 3, 4, 8, 9) or object identifier (12), else -1
    std::uint32_t ulWert; // a number as its float, a real or object identifier as its bits; else ulUT_fUNDEF
    const unsigned char
        *ucText;          // a character string (tag 7): its bytes after the set byte; null for any other
    int iTextLen;         // their number, whole
    unsigned char ucSatz; // its character set (0 when the tag has no content)
};
// Decodes the value whose tags lie from ucAnf up to ucEnde into *stWert, reading nothing at or after ucEnde:
// the application tag of a number, 7 of a character string, -1 for anything else or a tag cut off.
int QX04_BN_WERTLESEN(const unsigned char *ucAnf, const unsigned char *ucEnde, QX04_BN_WERT_Struct *stWert);
// Offset of element iNr (from 1) of an array whose value tags lie from ucAnf on, iLen bytes; -1 when it has
// fewer. A constructed element counts once with everything between its own opening and closing tag.
int QX04_BN_FELDELEM(const unsigned char *ucAnf, int iLen, int iNr);

// ---- Route table ---------------------------------------------------------------------------------------
// One known device and how to reach it: directly at stPort (ucSLEN 0) or through the router at stPort on
// network usSNET at MAC address ucSADR.
constexpr int QX04_SADR_MAX = 8; // MAC bytes a record holds; a longer source address is not recorded
struct QX04_BN_ROUTE {
    std::uint32_t ulSDEV; // device instance, 0xFFFFFFFF = record free
    std::uint16_t usSNET; // 0 = own IP network, 0xFFFF = no route yet
    unsigned char ucSLEN;
    unsigned char ucSADR[QX04_SADR_MAX];
    IP_PORT stPort;
    std::uint16_t usMaxApdu; // from the device's I-Am
    unsigned char ucSegment;
    std::uint16_t usVendorId;
    int iStatus;
    std::uint32_t ulZeit;       // loop time of the last update
    unsigned char ucBestaetigt; // 1 once the device has spoken from this route (I-Am or answer): the route is
                                // then kept for the run, another address for the instance is a duplicate
    unsigned char ucGelernt;    // how the device became known first: QX04_GELERNT_..., 0 = not yet
};
constexpr unsigned char QX04_GELERNT_ROUTENDATEI = 1, QX04_GELERNT_IAM = 2, QX04_GELERNT_BBMD = 3;
extern std::uint32_t uQX04_Anz_Dev;         // capacity of the device table
extern QX04_BN_ROUTE *BN_ROUTE_QX04_Struct; // the device table, allocated by the scanner set-up
int QX04_BN_RT_INIT();                      // reads "qx/qx04ddev.bn"; 0
// Records a route for a device object identifier: record index, -2 not a device, -1 table full, -3 an address
// the record cannot hold, -4 the record is confirmed at another address (the address is remembered as a
// duplicate, nothing changes), -5 a device outside the device range.
int QX04_BN_RT_SET(std::uint32_t ulObjId, std::uint16_t usSNET, unsigned char ucSLEN,
                   const unsigned char *ucSADR, const IP_PORT *stPort);
// Addresses that claimed the instance of a confirmed route, once each: for the console at the end of the
// scan. A full table keeps what it has and sets iQX04_Doppelt_Voll.
constexpr int QX04_DOPPELT_MAX = 64;
struct QX04_BN_DOPPELT {
    std::uint32_t ulSDEV;
    std::uint16_t usSNET;
    unsigned char ucSLEN;
    unsigned char ucSADR[QX04_SADR_MAX];
    IP_PORT stPort;
};
extern QX04_BN_DOPPELT BN_DOPPELT_QX04_Struct[QX04_DOPPELT_MAX];
extern int iQX04_Anz_Doppelt;  // entries used
extern int iQX04_Doppelt_Voll; // 1 when a duplicate found no room
// First record for the instance (low 22 bits of ulDev), or for the address (usSNET 0xFFFF = not by address;
// ucSADR and stPort may be null); nullptr when none.
QX04_BN_ROUTE *QX04_BN_RT_FIND(std::uint32_t ulDev, std::uint16_t usSNET, unsigned char ucSLEN,
                               const unsigned char *ucSADR, const IP_PORT *stPort);

// ---- ReadProperty requests -----------------------------------------------------------------------------
// Head of a confirmed request to device r (BVLC, NPDU, APDU header with a fresh invoke id and ucService) in
// ucBuf: the offset of the service's first tag.
int QX04_BN_RQKOPF(const QX04_BN_ROUTE *r, unsigned char ucService, unsigned char *ucBuf);
// ReadProperty request for device ulDev (instance or device identifier) into ucBuf, destination into stPort:
// the frame length, or 0 for a device without a route (nothing built, no invoke id drawn).
int QX04_BN_RD(std::uint32_t ulDev, std::uint32_t ulObjId, std::uint16_t usPropId, IP_PORT *stPort,
               unsigned char *ucBuf);
// The same for element usIndex of an array property (0 = the array's length).
int QX04_BN_RDARR(std::uint32_t ulDev, std::uint32_t ulObjId, std::uint16_t usPropId, std::uint16_t usIndex,
                  IP_PORT *stPort, unsigned char *ucBuf);
// Exit trace of both: result, destination, frame.
void QX04_BN_RDTRC(const char *cRoutine, int ier, const IP_PORT *stPort, const unsigned char *ucBuf);

// ---- ReadPropertyMultiple ------------------------------------------------------------------------------
constexpr int QX04_RPM_MAX = 160; // properties one request of the scanner asks for at most
// One property of one object: what a request asks for, and what one result of the acknowledgement answers.
struct QX04_BN_RPMREF {
    std::uint32_t ulObjId;
    std::uint32_t ulPropId; // 22 bits
    std::int32_t lIndex;    // array index, -1 = the whole property
};
// The request's service tags for iAnz properties (a run of properties of one object shares its object) into
// ucOut (nullptr: only counted), at most iMax bytes: their count, -1 when they do not fit or iAnz < 1.
int QX04_BN_RPMTAGS(const QX04_BN_RPMREF *pRef, int iAnz, unsigned char *ucOut, int iMax);
// ReadPropertyMultiple request for device ulDev into ucBuf, destination into stPort: the frame length (the
// BVLC length field holds all 16 bits), or 0 for a device without a route or a request longer than the
// buffer (nothing built, no invoke id drawn).
int QX04_BN_RPM(std::uint32_t ulDev, const QX04_BN_RPMREF *pRef, int iAnz, IP_PORT *stPort,
                unsigned char *ucBuf);
// One result of a ReadPropertyMultiple-ACK in a received frame.
struct QX04_BN_RPMERG {
    QX04_BN_RPMREF stRef;
    int iWert;   // offset of the first value tag (the closing tag when there is none), 0 for an error
    int iEnde;   // offset of the closing tag 4 after the values
    int iFehler; // an error: -1000 - its code; 0 for a value
};
// Results of the unsegmented ReadPropertyMultiple-ACK in a frame into pErg: their count, or -1 when the frame
// is none, breaks its shape or holds more than iMax results. Reads nothing at or after the BVLC length.
int QX04_BN_RPMACK(const unsigned char *ucFrame, QX04_BN_RPMERG *pErg, int iMax);
// Offset of element iNr (from 1) of an array read whole, in one result of RPMACK; 0 when it has fewer.
int QX04_BN_RPMELEM(const unsigned char *ucFrame, const QX04_BN_RPMERG *pErg, int iNr);

// ---- Segmented answers (ASHRAE 135, clauses 5.3 and 20.1) -------------------------------------------------
// A request that takes segmented answers says so in its APDU header: the segmented-response-accepted bit and
// how many segments it takes (code 5: 32 of them). The answer then comes as Complex-ACK segments, each with
// its sequence number, the window the device proposes and whether more follow; each window is acknowledged.
constexpr int QX04_PDU_SEGMENT_ACK = 0x4;
constexpr unsigned char QX04_MAXSEG_32 = 5;
constexpr int QX04_MAXSEG_ANZ = 32; // segments that code announces
// Abort reasons the client gives.
constexpr unsigned char QX04_ABORT_PUFFER = 1, QX04_ABORT_ZUSTAND = 2, QX04_ABORT_SEGMENTE = 4;
constexpr unsigned char QX04_ABORT_FENSTER = 7;
// Marks the confirmed request built in ucFrame as one that takes segmented answers, ucMaxSeg segments.
void QX04_BN_SEGMENTE_ANNEHMEN(unsigned char *ucFrame, unsigned char ucMaxSeg);
// Whether the request in ucFrame takes segmented answers.
bool QX04_BN_NIMMT_SEGMENTE(const unsigned char *ucFrame);
// One segment of a segmented Complex-ACK in a received frame: its APDU offset, invoke id, sequence number,
// proposed window, service, whether more follow, and its service data [iDaten, iEnde).
struct QX04_BN_SEGMENT {
    int iApdu;
    unsigned char ucInvoke, ucSeq, ucFenster, ucDienst;
    bool bMehr;
    int iDaten, iEnde;
};
// Reads the segment header of a frame that passed the receive guard: false when it is no segmented
// Complex-ACK or its header is cut off. Nothing at or after the BVLC length is read.
bool QX04_BN_SEGMENT_LESEN(const unsigned char *ucFrame, QX04_BN_SEGMENT *stSeg);
// A short APDU of iApdu bytes to the node the request ucAnfrage went to (its BVLC and NPDU header, no reply
// expected) into ucBuf: the frame length.
int QX04_BN_AN_KNOTEN(const unsigned char *ucAnfrage, const unsigned char *ucApdu, int iApdu,
                      unsigned char *ucBuf);
// The client's Segment-ACK (bNak: a segment is missing, ucSeq the last one taken in order) and its Abort for
// the request ucAnfrage, into ucBuf: the frame length.
int QX04_BN_SEGACK(const unsigned char *ucAnfrage, bool bNak, unsigned char ucSeq, unsigned char ucFenster,
                   unsigned char *ucBuf);
int QX04_BN_ABBRUCH(const unsigned char *ucAnfrage, unsigned char ucGrund, unsigned char *ucBuf);

// ---- Incoming message check and receive guard -----------------------------------------------------------
// Receive guard, before anything else reads a datagram of iLen bytes: 0, or -1 ("unzul. BVLC") when it is
// shorter than 4 bytes or its BVLC length is below 4 or above iLen.
int QX04_BN_RXCHK(const unsigned char *ucFrame, int iLen);
// Every received frame that passed the guard, with its sender: QX04_MSG_ACK the acknowledgement of the
// outstanding request, QX04_MSG_FEHLER - code its Error, QX04_MSG_REJECT - reason its Reject,
// QX04_MSG_MELDUNG a notification, QX04_MSG_ANDERE anything else (an Error whose code cannot be decoded gives
// QX04_MSG_FEHLER + 1).
constexpr int QX04_MSG_ACK = 3, QX04_MSG_MELDUNG = 2, QX04_MSG_ANDERE = -1;
constexpr int QX04_MSG_FEHLER = -1000, QX04_MSG_REJECT = -2000;
int QX04_BN_MSGCHK(const IP_PORT *RPort, const unsigned char *ucFrame);
// The B/IP node a frame from RPort comes from: the address in a Forwarded-NPDU's header, else RPort.
IP_PORT QX04_BN_ABSENDER(const IP_PORT *RPort, const unsigned char *ucFrame);
// BVLL message into ucBuf: header 0x81, function ucFunk, length, then the iLen bytes of ucDaten (which may
// lie in ucBuf behind the header); the frame length.
int QX04_BN_BVLL(unsigned char *ucBuf, unsigned char ucFunk, const unsigned char *ucDaten, int iLen);
// Source specifier of a received frame's NPDU: network and MAC of a device behind a router, network 0 and
// MAC length 0 without one; false when the specifier is cut off by the frame's end.
bool QX04_BN_QUELLE(const unsigned char *ucFrame, std::uint16_t *usNet, unsigned char *ucSlen,
                    const unsigned char **ucSadr);
// Whether the received frame ucAntwort from stVon answers the request ucAnfrage that was sent to stZiel:
// 2 it does (invoke id, service, the device asked, and for a ReadProperty-ACK object, property and array
// index, for a ReadPropertyMultiple-ACK all of them in the order asked); QX04_PASST_SEGMENT it is a segment
// of a segmented Complex-ACK with that invoke id and service, whose values are known only when all have come;
// 1 it is an answer from that device to another request (a late or duplicated one); 0 it is no answer from
// that device.
// A ReadPropertyMultiple-ACK is decoded for the comparison; with pErg (room for QX04_RPM_MAX) its results are
// kept there and their count in *piErg, and of a ReadProperty-ACK the offset of its first value tag in
// *piWert (0 none), so that the one who asked need not search the frame again.
constexpr int QX04_PASST_SEGMENT = 3;
int QX04_BN_PASST(const unsigned char *ucAntwort, const IP_PORT *stVon, const unsigned char *ucAnfrage,
                  const IP_PORT *stZiel, QX04_BN_RPMERG *pErg = nullptr, int *piErg = nullptr,
                  int *piWert = nullptr);
// APDU type (QX04_PDU_...) and invoke id of an answer in a received frame that passed the guard; -1 when the
// frame holds no APDU long enough.
int QX04_BN_PDUTYP(const unsigned char *ucFrame);
int QX04_BN_INVOKE(const unsigned char *ucFrame);

// ---- Network messages and own-device responder ---------------------------------------------------------
// Answers the layer sends: BVLC Original-Unicast-NPDU, NPDU 0x01 0x00, the APDU from offset 6; shorter than
// 256 bytes.
constexpr int QX04_REPLY_APDU = 6;
// Writes the reply header and the length iLen into ucBuf and sends the frame to stPort; IP_SEND's result.
int QX04_BN_REPLY(const IP_PORT *stPort, unsigned char *ucBuf, int iLen);
// Writes the APDU of an Error (class and code enumerated) from offset 6 of ucBuf; the frame length, 13.
int QX04_BN_ERRPDU(unsigned char *ucBuf, unsigned char ucInvoke, unsigned char ucService,
                   unsigned char ucClass, unsigned char ucCode);
// Error class of an Error PDU in a received frame that passed the guard; -1 when it holds none.
int QX04_BN_FEHLERKLASSE(const unsigned char *ucFrame);
// An I-Am at offset a of a frame from RPort (behind a router: usNet, ucSlen, ucSadr) enters its device.
void QX04_BN_IAM(const IP_PORT *RPort, const unsigned char *ucFrame, int a, std::uint16_t usNet,
                 unsigned char ucSlen, const unsigned char *ucSadr);
// Network-layer messages: traced, never answered, the router messages about a network kept; 0.
int QX04_BN_MSGNW(const IP_PORT *stPort, const unsigned char *ucFrame);
// Network-layer message types a router sends about its networks, and the reasons of a Reject.
constexpr unsigned char QX04_NL_REJECT = 0x03, QX04_NL_BUSY = 0x04, QX04_NL_AVAILABLE = 0x05;
constexpr unsigned char QX04_NL_REJ_KEIN_ROUTER = 1, QX04_NL_REJ_BESETZT = 2;
// The latest router messages (Reject-Message-, Router-Busy-, Router-Available-To-Network), as iQX04_BvlcErg
// keeps the BVLC-Result: a ring of QX04_NETZ_MAX, entry ulQX04_NetzAnz % QX04_NETZ_MAX written next. A scan
// that reads them late has missed the oldest; a busy network is held for a bounded time all the same.
constexpr int QX04_NETZ_MAX = 16, QX04_NETZ_NETZE_MAX = 8; // messages kept, networks kept per message
struct QX04_NETZMELDUNG {
    IP_PORT stVon;         // the router
    unsigned char ucTyp;   // QX04_NL_...
    unsigned char ucGrund; // a Reject's reason
    int iAnzNetze; // networks named (a Busy or Available naming none means every network of the router)
    std::uint16_t ausNetz[QX04_NETZ_NETZE_MAX];
};
extern QX04_NETZMELDUNG stQX04_Netz[QX04_NETZ_MAX];
extern std::uint32_t ulQX04_NetzAnz; // messages kept since the start
// ReadProperty addressed to the scanner: answered from the own-device table or refused with an Error; 0.
int QX04_BN_MSGRPR(const IP_PORT *stPort, const unsigned char *ucFrame);

// ---- Frame trace ---------------------------------------------------------------------------------------
// Readable breakdown of a received frame's BVLC and NPDU headers and APDU type on the trace output; 0.
// Reads nothing at or beyond the frame's BVLC length.
int QX04_T_BN(const IP_PORT *stPort, const unsigned char *ucFrame);
