// The scanner program: entry, set-up, scan loop, reference file and device file.
#pragma once
#include <cstdint>
#include <array>
#include <cstdio>
#include <string>
#include <vector>
#include "bacnet/bn.h"

// ---- Program globals: options of the command line, output files -----------------------------------------
extern char cSC_AnfuegeDpId[256]; // -A: text appended to every data-point id
extern char cSC_BeginnDpId[256];  // -B: text at which a data-point id begins
extern char cSC_EndePrefix[256];  // -E: prefix that ends before the data-point id
extern FILE *fpSC_REF;            // reference file netscn.ref
extern FILE *fpSC_DEV;            // device file netscn.dev
extern char cSC_REF_Buf[256];     // line buffer of the reference file
extern int iSC_Wiederhol;         // -R: repetitions of an unanswered request (0 to 9, default 3)
extern int iSC_Parallel;          // -P: devices scanned at the same time (1 to 64, default 1)
extern int iSC_Umsetzen;          // -U: device texts converted to the loader's code page (0 or 1)
extern int iSC_Mehrfach;          // -M: read with ReadPropertyMultiple where a device takes it (0 or 1)
// Sites of several IP subnets: the scanner as a foreign device of a BBMD (-F), and a device range (-D).
extern IP_PORT stSC_Bbmd;            // -F: the BBMD; address 0xFFFFFFFF = none
extern int iSC_BbmdTtl;              // -F: time-to-live of the registration, seconds
extern int iSC_BbmdStand;            // 1 while the BBMD holds our registration (delete it at the end), else 0
extern std::uint32_t ulSC_BbmdNeu;   // loop time of the next renewal
extern std::uint32_t ulSC_BbmdFrist; // loop time until which the renewal's answer is awaited; 0 = none
extern bool bSC_Bereich;             // -D given: the Who-Is carries the range ulQX04_DevMin..ulQX04_DevMax
extern int iSC_OptFehler;            // -15 malformed -F, -16 malformed -D (reported at once), else 0

// ---- Entry and phases ----------------------------------------------------------------------------------
// --help or --version anywhere on the command line: prints the usage or "netscn <cVersion>" and gives the
// exit status (0, 1 when standard output failed); -1 when neither was asked for.
int SC_HILFE(int argc, char **argv, const char *cVersion);
// Argument phase, then the resource phase: 0 or a negative error number.
int SC_INIT(int argc, char **argv);
// Releases endpoint, files and console settings; always 0.
int SC_EXIT();
// Folds the result r of phase iPhase (1 set-up, 2 loop, 3 exit) into the combined code: r - 100 * iPhase
// when r is negative and no earlier phase failed; the process ends with status -code / 100.
int SC_KODE(int iKode, int iErg, int iPhase);
// The scan: 0, or -21 after a failed write.
int SC_LOOP();

// ---- Reference file: the object record and the operations that turn it into a data line ------------------
constexpr int SC_ANZ_STATE = 9;  // state texts kept per object
constexpr int SC_LEN_STATE = 32; // characters kept per state text
constexpr unsigned char SC_KEIN_OVR = 255;

// What the scan loop collected about the object in progress.
struct SC_OBJ_Struct {
    std::uint32_t ulDev;    // device instance
    std::uint32_t ulObjId;  // object identifier (type in the upper 10 bits)
    unsigned uDP_Type;      // data-point type 1-4, 0 = none
    char cBnAdr[32];        // BACnet address text, "Device %lu" while the object list is read
    char cDpId[24];         // data-point id: 16 characters, 17 for the default form
    char cText[24];         // text, up to 23 characters
    unsigned char ucAtbOvr; // code override from the description, SC_KEIN_OVR = none
    unsigned uAtb;          // attribute code of an analog point (units table)
    unsigned uPolar;        // polarity value of a two-state or multi-state point
    int NoState;            // number of states, -1 = not yet read
    char cState[SC_ANZ_STATE][SC_LEN_STATE + 1];
};

// Data-point type (0 = no data point) and short name of a BACnet object type.
unsigned SC_OBJTYP(unsigned uObjTyp, const char **cKurz);
// Empties the record for the next object-list element of a device.
void SC_OBJ_NEU(SC_OBJ_Struct *stObj, std::uint32_t ulDev);
// Takes an object-list element: identifier, type, address text, default id; -1 when it gives no data point.
int SC_OBJ_SETZEN(SC_OBJ_Struct *stObj, std::uint32_t ulObjId);
// Data-point id from the object name (-E, -B, -A); -1 when -B is set and not in the name (object dropped).
int SC_DPID(SC_OBJ_Struct *stObj, const char *cName);
// Text and code override from the description.
void SC_DESCR(SC_OBJ_Struct *stObj, const char *cBeschr);
// Attribute code of a BACnet engineering unit: 255 when not in the table.
unsigned SC_UNITS(long lUnits);
// Normalises a state text for comparing: high-bit bytes to '_', lower case (0x61-0x7F) lowered by 0x20.
void SC_NORM_TEXT(char *cText);
// Matches the state texts against the catalogue: code found (0-255) or -1; may invert *uPolar.
int SC_STATE_MATCH(SC_OBJ_Struct *stObj, unsigned *uPolar);
// Attribute code of the finished object; *uPolar receives the polarity flag of the line.
unsigned SC_ATB_KODE(SC_OBJ_Struct *stObj, unsigned *uPolar);
// Writes the object's data line to the reference file and flushes it; raises *uZeile; 0 or -21.
int SC_REF_LINE(SC_OBJ_Struct *stObj, unsigned *uZeile);
// The object's data line with number uZeile in cSC_REF_Buf: its length, -1 when it does not fit.
int SC_REF_TEXT(SC_OBJ_Struct *stObj, unsigned uZeile);
// Writes iLen bytes of cSC_REF_Buf to the reference file and flushes it; 0, or -21 with the message.
int SC_REF_WRITE(int iLen);
// Writes the header line of the reference file and flushes it; 0 or -21.
int SC_REF_HEAD();

// ---- Scan loop: its state and the steps of one pass ------------------------------------------------------
constexpr int SC_BEREIT = 254;              // wait state: the next request may be sent
constexpr int SC_WARTET = 0;                // a request is outstanding
constexpr int SC_ERLEDIGT = 1;              // a reply was handled in this pass
constexpr int SC_FERTIG = 99;               // scan step: object complete
constexpr int SC_WARTE_MS = 4;              // longest sleep of a pass that neither received nor sent
constexpr int SC_EMPF_MAX = 256;            // datagrams taken in one pass at most, so requests still go out
constexpr int SC_RCVBUF = 16 * 1024 * 1024; // receive buffer asked for: room for the I-Ams of a full table
constexpr std::uint32_t SC_KOPIE_MAX_MS = 2000; // longest rest of an invoke id (below): inside any deadline

// ---- Repetition timer: how long an unanswered request waits before it goes again ------------------------
constexpr std::uint32_t SC_RTO_ERST = 1000;  // ms, while no answer time of the device is known
constexpr std::uint32_t SC_RTO_BODEN = 100;  // ms at least: a fast device's answer may be late by this much
constexpr std::uint32_t SC_RTO_DECKE = 5000; // ms at most: the deadline of an unanswered request

// What the answers of one device taught about its answer time (smoothed, and its mean deviation). Learnt per
// device also behind a router: the router adds little, the devices behind it differ (a controller busy with
// its program, a slow trunk), and a slow one must not make its fast neighbours wait long for repetitions.
struct SC_RTO_Struct {
    std::uint32_t ulSrtt8 = 0; // smoothed answer time, in eighths of a ms
    std::uint32_t ulVar8 = 0;  // its mean deviation, in eighths of a ms
    std::uint32_t ulAnz = 0;   // answer times taken; 0 = none yet
    int iStufe = 0;            // doublings kept after an answer to a repeated request, until the next sample
    std::uint32_t ulBeginnMs = 0; // the device's first request (monotonic ms), for the trace
    std::uint32_t ulWdh = 0;      // repetitions sent to the device, for the trace
};
// An answer has come now (UT_MSEK) to a request first sent at ulGesendet and repeated iVersuch times.
void SC_RTO_MESSUNG(SC_RTO_Struct *stRto, std::uint32_t ulGesendet, int iVersuch);
// Timer length in ms for try iVersuch (0 = the first) of a request to the device.
std::uint32_t SC_RTO_DAUER(const SC_RTO_Struct *stRto, int iVersuch);
// Trace (-TO, -TO1) at the end of a device's scan: how long it took and its answer times.
void SC_RTO_TRC(const SC_RTO_Struct *stRto, std::uint32_t ulDev);

struct SC_HALT_Struct;

// ---- ReadPropertyMultiple (-M): what a scan state keeps for the device in progress ------------------------
constexpr int SC_RPM_LISTE = 1, SC_RPM_OBJEKTE = 2; // an outstanding request for list elements, for objects
constexpr int SC_RPM_APDU0 = 480;                   // max APDU of a device that sent no I-Am
constexpr int SC_RPM_LISTE0 = 16;                   // list elements of the first batch, before the length
constexpr unsigned SC_RPM_TEXT0 = 40, SC_RPM_FELD0 = 160; // value bytes assumed before any were seen

// An object-list element read ahead: its value as the value decoders give it, or its refusal.
struct SC_VORRAT_Struct {
    int iTag; // application tag of the value (-1 none), or -1000 - code of the refusal
    std::uint32_t ulWert;
};

struct SC_RPM_Struct {
    bool bAus;       // the device is read by ReadProperty alone: no -M, or it refused ReadPropertyMultiple
    bool bObjRP;     // the object in progress is read by ReadProperty: its batch of one failed
    bool bNachholen; // the step is taken, and its ReadProperty is still to be sent
    bool bListe;     // the list element started is still to be asked for by ReadPropertyMultiple
    bool bLebt;      // the device has answered a request since it was started
    int iArt;        // the outstanding request: 0 ReadProperty, SC_RPM_LISTE or SC_RPM_OBJEKTE
    int iAnz;        // list elements or objects it asks for
    int iListeMax, iObjMax; // batch limits, halved by an Abort or silence
    int iEinzeln;           // batches of one that failed; the second ends ReadPropertyMultiple for the device
    long lListeLen;         // length of the object list from element 0, -1 = not known
    unsigned uText, uFeld;  // largest text and state-text array the device sent (value bytes), 0 = none yet
    // Where SC_WERT and SC_TEXT find the value being handled: 0 in the ReadProperty-ACK in the receive
    // buffer, > 0 the value tag at that offset of it, -1 the read-ahead element in stWert.
    int iWertPos;
    SC_VORRAT_Struct stWert;
    int iVorErst, iVorAnz; // elements read ahead: object-list indexes iVorErst to iVorErst + iVorAnz - 1
    std::array<SC_VORRAT_Struct, QX04_RPM_MAX> aVor;
};

struct SC_SCAN_Struct {
    int iErg;                // 0, or -21 after a failed write of a data line
    int iWarten;             // SC_BEREIT, SC_WARTET or SC_ERLEDIGT
    std::uint32_t uDevIdx;   // entry of the device table being scanned
    int iObjIdx;             // object-list index last requested, -1 = device not started
    int PROP_Modus;          // scan step: -1, 0 list element, 1 name, 2 description, 3 units/polarity,
                             // 4 states, SC_FERTIG
    int Index;               // slot of the state text being read, -1 = none yet
    std::uint16_t usPropId;  // property of the last request
    std::uint32_t ulRecvTmo; // loop time 5 seconds after the last request this state sent
    unsigned uZeile;         // next data-line number
    SC_OBJ_Struct stObj;     // the object in progress
    // The last request as it was sent, so that a repetition is the same frame to the same node and an answer
    // can be matched to it.
    unsigned char ucAnfrage[QX04_BUF_SIZE];
    int iAnfrageLen;
    IP_PORT stZiel;
    unsigned char ucInvoke;    // its invoke id
    int iVersuch;              // repetitions of the outstanding request sent so far
    std::uint32_t ulVersuchMs; // monotonic ms of its latest try: the repetition timer runs from there
    std::uint32_t ulAufgabe;   // loop time (repetitions + 1) x 5 s after its first try: no give-up before
    SC_RTO_Struct stRto;       // the device's answer times
    bool bUnbaubar;            // the last request could not be built: nothing was sent, no answer will come
    // A device that answers twice: when each invoke id was last answered (monotonic ms, 0 = not yet) and the
    // longest lateness of a second answer seen (0 = none). Once one was seen, an id is used again for the
    // device only when a copy of its earlier answer can no longer come: an Error or Reject carries no object
    // by which a copy could be told from the answer to the new request.
    std::array<std::uint32_t, 256> aulAntwortMs;
    std::uint32_t ulKopieMs;
    // Lines of a device scanned ahead of an earlier one are held here until their numbers are known; null:
    // they go to the reference file at once (always so in the sequential scan).
    SC_HALT_Struct *pHalten;
    SC_RPM_Struct stRpm;
};

// Starting values of the loop state; the deadline is 5 seconds of loop time ahead.
void SC_SCAN_NEU(SC_SCAN_Struct *stScan);
// Start of both scan loops: entry trace, loop clock, "Warten auf 'I-Am'".
void SC_LOOP_BEGINN();
// Receive phase of a pass: the waiting datagrams, in arrival order, each through SC_DATEN for the scan states
// apScan[0..iAnz-1]; at most SC_EMPF_MAX, and with bBisAntwort only up to the first answer taken, so that the
// next request goes out at once. True when anything was taken.
bool SC_EMPF_ALLE(SC_SCAN_Struct *const *apScan, int iAnz, bool bBisAntwort);
// Takes one waiting datagram through SC_DATEN: -1 nothing was waiting, 1 it answered a request, else 0.
int SC_EMPFANG(SC_SCAN_Struct *const *apScan, int iAnz);
// One received datagram of iLen bytes in the receive buffer, from stVon: guard, message check and the
// matching rule. It moves the one scan state whose outstanding request it answers, and that state is
// returned; any other datagram changes no scan state (null).
SC_SCAN_Struct *SC_DATEN(SC_SCAN_Struct *const *apScan, int iAnz, int iLen, const IP_PORT *stVon);
// Trace of a received datagram (bGueltig: it passed the receive guard) taken for the object at
// iObjIdx/iModus.
void SC_EMPF_TRC(int iLen, const IP_PORT *stVon, bool bGueltig, int iObjIdx, int iModus);
// Acts on the message check's result for the answer to the state's outstanding request (3 answer, -1000 and
// below refusal); a completed object becomes its data line.
void SC_ANTWORT(SC_SCAN_Struct *stScan, int iErg);
// The acknowledgement in the receive buffer for the outstanding request, by scan step.
void SC_ACK(SC_SCAN_Struct *stScan);
// An Error or Reject for the outstanding request, by scan step.
void SC_ABWEIS(SC_SCAN_Struct *stScan);
// Send step: the next request for the device at the device index, when one may be sent. True when sent.
bool SC_ANFRAGE(SC_SCAN_Struct *stScan);
// Starts the next object-list element of device ulDev (the first one when the device is not started): false
// when the list ends at the last 16-bit index, and the device with it.
bool SC_OBJ_ANFANG(SC_SCAN_Struct *stScan, std::uint32_t ulDev);
// Takes the next scan step of the object in progress: its property (also in usPropId), and in *iArrIdx the
// array index of a state text, else -1.
std::uint16_t SC_SCHRITT(SC_SCAN_Struct *stScan, int *iArrIdx);
// Sends the iLen bytes of the send buffer to stZiel as the state's outstanding request.
void SC_GESENDET(SC_SCAN_Struct *stScan, int iLen, const IP_PORT *stZiel);
// Value of the answer being handled for usPropId (the application tag, its value in *ulWert, or -1), and its
// text (null when none): UCS-2 and UCS-4 always in the loader's code page, UTF-8 and ISO 8859-1 with -U,
// every other set byte for byte, valid until the next call.
int SC_WERT(const SC_SCAN_Struct *stScan, std::uint16_t usPropId, std::uint32_t *ulWert);
const char *SC_TEXT(const SC_SCAN_Struct *stScan, std::uint16_t usPropId);

// ReadPropertyMultiple (-M). A device is read in batches: object-list elements, then the properties of
// several objects; every value of an answer goes through the same acknowledgement and refusal handling as a
// ReadProperty answer, step by step, so the same lines come out.
// Starting values for a device.
void SC_RPM_NEU(SC_SCAN_Struct *stScan);
// Send step for device ulDev: 1 a request was sent, 0 nothing to send now, -1 the next request is a
// ReadProperty.
int SC_RPM_ANFRAGE(SC_SCAN_Struct *stScan, std::uint32_t ulDev);
// The answer to an outstanding ReadPropertyMultiple in the receive buffer (matched to it).
void SC_RPM_ANTWORT(SC_SCAN_Struct *stScan);
// The outstanding ReadPropertyMultiple was aborted or not answered (cGrund): asked again for half as much,
// and a batch of one by ReadProperty.
void SC_RPM_WENIGER(SC_SCAN_Struct *stScan, const char *cGrund);
// Hands one answer to the step in progress as an answer to its own request: iErg 3 with the value at iPos
// (-1: the read-ahead element in stWert), or -1000 - code for a refusal.
void SC_RPM_GEBEN(SC_SCAN_Struct *stScan, int iErg, int iPos);
// Starts the next object-list element from the read-ahead and hands it on as its answer: false when it is
// not there.
bool SC_RPM_VORRAT(SC_SCAN_Struct *stScan, std::uint32_t ulDev);
// What the state's outstanding request calls for now: 1 a repetition (its timer ran out and one is left; for
// a ReadPropertyMultiple a smaller request, never given up); -1 the end of the wait for it (given up), or no
// request could be built and the deadline passed; else 0.
int SC_FAELLIG(const SC_SCAN_Struct *stScan);
// Sends the outstanding request again while repetitions are left (option -R) and renews the deadline. True
// when it was sent again. An unanswered ReadPropertyMultiple is not sent again: the send step asks for less.
bool SC_WIEDERHOL(SC_SCAN_Struct *stScan);
// End of a pass: a short sleep when nothing was received or sent, then the loop clock.
void SC_PASS_ENDE(bool bEtwas);
// The verdicts of a scan: an error, or success, or one time-out verdict per address text in vTimeout.
void SC_URTEIL(int iErg, const std::vector<std::string> &vTimeout);
// The verdict at the end of the sequential scan.
void SC_ENDE(SC_SCAN_Struct *stScan);
// Before the verdict of either scan: one console line per device instance claimed by a second address.
void SC_DOPPELT_MELDEN();
// The scan's exit trace: result, loop time and deadline.
void SC_LOOP_TRC(int iErg, std::uint32_t ulRecvTmo);
// Address text of the time-out verdict: the object's address with the property of the last request.
const char *SC_TMO_ADR(SC_SCAN_Struct *stScan);
// Device table entry at the device index is in use (a full table ends after its last entry).
bool SC_DEV_AKTIV(const SC_SCAN_Struct *stScan);
// The parallel scan (-P2 and more, scanner/sc_par.h): 0, or -21 after a failed write.
int SC_P_LOOP();
// A finished object's line: to the file, or held while an earlier device is in progress; 0 or -21.
int SC_ZEILE(SC_SCAN_Struct *stScan);

// ---- Set-up: arguments and resource phase -------------------------------------------------------------
// Argument i of the command line: the endpoint text only in first position (a wrong one is ignored), options
// anywhere; unknown options and malformed numbers are ignored.
void SC_INIT_ARG(int i, const char *cArg);
// Runs after the argument phase with its error number: 0, or the error number of the set-up.
int SC_INIT_RES(int ier, int argc, char **argv);
// One Who-Is into the network of each local address (or of the address given), and to the BBMD to be
// distributed once registered; result of the last local send.
int SC_WHOIS();

// ---- Foreign device of a BBMD (-F) ------------------------------------------------------------------------
// Registers with the BBMD of -F (up to 3 tries 1 s apart): 0, or -17 after a refusal or no answer (reported);
// 0 at once without -F.
int SC_BBMD_ANMELDEN();
// Sends Register-Foreign-Device (bAnmelden) or Delete-Foreign-Device-Table-Entry for our entry to the BBMD
// and forgets the last BVLC-Result; IP_SEND's result.
int SC_BBMD_MELDEN(bool bAnmelden);
// Waits at most iMs milliseconds for the BBMD's BVLC-Result, passing every datagram meanwhile through the
// message check: its result code, -1 when none came.
int SC_BBMD_WARTEN(int iMs);
// Once per pass of the scan: renews the registration at half its time-to-live and reports a renewal the BBMD
// refuses or leaves unanswered, and any other refusal it sends; the scan goes on.
void SC_BBMD_PFLEGE();
// At the end, after every outcome: deletes our entry from the BBMD's table (waits up to 1 s for its answer).
void SC_BBMD_ENDE();
// Console report of a refused (iErg >= 0: its result code) or unanswered (-1) message cWas to the BBMD.
void SC_BBMD_FEHLER(const char *cWas, int iErg);
