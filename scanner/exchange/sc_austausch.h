// The exchange of the scan states with their devices, as a BACnet client's transaction table keeps it: each
// state's one transaction (its outstanding request: sent, matched, repeated, handed back or given up), the
// invoke ids they carry, drawn here, and what came back, decoded once and handed to the walk. Both scan loops
// drive it the same way and act on the events it returns; it does not know which one drives it.
#pragma once
#include <array>
#include <cstdint>
#include <vector>
#include "bacnet/bn.h"
#include "scanner/sc.h"

struct SC_SCAN_Struct;

constexpr int SC_BEREIT = 254;   // wait state: the next request may be sent
constexpr int SC_WARTET = 0;     // a request is outstanding
constexpr int SC_ERLEDIGT = 1;   // its answer is being handled
constexpr int SC_EMPF_MAX = 256; // datagrams taken in one pass at most, so requests still go out
constexpr std::uint32_t SC_KOPIE_MAX_MS = 2000; // longest rest of an invoke id: inside any deadline
constexpr int SC_DEADLINE_S = 5;                // seconds an unanswered request is waited for
constexpr std::uint32_t SC_DEADLINE_MS = 1000 * SC_DEADLINE_S;

// The service of a transaction: a ReadProperty, a ReadPropertyMultiple for list elements or objects, or the
// ReadProperty of a whole object list (-M), which like a batch is handed back when it stays unanswered.
constexpr int SC_DIENST_RP = 0, SC_DIENST_LISTE = 1, SC_DIENST_OBJEKTE = 2, SC_DIENST_GANZ = 3;

// ---- Segmented answers (-M): what the scanner takes and how long it waits for the next segment -----------
constexpr int SC_SEG_FENSTER = 8; // segments the scanner takes before it acknowledges (its window)
// Bytes of an answer put together from segments at most: 32 segments of a whole frame each.
constexpr int SC_SEG_PUFFER = QX04_MAXSEG_ANZ * QX04_BUF_SIZE;
// Wait for the next segment (four times a device's usual segment timeout): within it a device repeats a
// window whose acknowledgement it missed.
constexpr std::uint32_t SC_SEG_ZEIT_MS = 8000;
// The answer of a transaction that takes segments, while they come: as the standard's client keeps it.
struct SC_SEG_Struct {
    bool bLauf;                        // the first segment was taken; the rest is awaited
    bool bLuecke;                      // a gap was told the device (negative Segment-ACK); until it is filled
    unsigned char ucLetzte;            // sequence number of the last segment taken in order
    unsigned char ucErste;             // the one the window acknowledged last ends with
    unsigned char ucFenster;           // the window agreed: the device's proposal, at most SC_SEG_FENSTER
    int iAnz;                          // segments taken
    std::uint32_t ulMs;                // monotonic ms of the last segment taken
    std::vector<unsigned char> vFrame; // the answer put together: header, unsegmented APDU head, data
};

// ---- Repetition timer: how long an unanswered request waits before it goes again ------------------------
constexpr std::uint32_t SC_RTO_ERST = 1000; // ms, while no answer time of the device is known
// ms at least: on a token-passing trunk (MS/TP) answers spread over 35 to 120 ms and more, while a run of
// similar ones shrinks the deviation; a lost request still costs well under a second.
constexpr std::uint32_t SC_RTO_BODEN = 200;
constexpr std::uint32_t SC_RTO_DECKE = 5000; // ms at most: the deadline of an unanswered request
constexpr int SC_RTO_STUFE_MAX = 6;          // doublings kept: past the ceiling from any start

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
// An answer after ulMs to a request whose timer caused iVersuch repetitions; bSauber: its frame went once, so
// the answer is to that try (Karn: only such an answer is a sample).
void SC_RTO_MESSUNG(SC_RTO_Struct *stRto, std::uint32_t ulMs, int iVersuch, bool bSauber);
// Timer length in ms for try iVersuch (0 = the first) of a request to the device.
std::uint32_t SC_RTO_DAUER(const SC_RTO_Struct *stRto, int iVersuch);
// Trace (-TO, -TO1) at the end of a device's scan: how long it took and its answer times.
struct SC_TRANSAKTION_Struct;
void SC_RTO_TRC(const SC_TRANSAKTION_Struct *stAnf, std::uint32_t ulDev);

// A scan state's transaction: the outstanding request and what the exchange learnt about the device it goes
// to. Written by the exchange alone.
struct SC_TRANSAKTION_Struct {
    int iWarten; // SC_BEREIT, SC_WARTET or SC_ERLEDIGT
    int iDienst; // SC_DIENST_...
    int iAnz;    // list elements or objects a ReadPropertyMultiple asks for
    // The request as it was sent: a repetition is the same frame to the same node, and answers are matched
    // against it.
    unsigned char ucFrame[QX04_BUF_SIZE];
    int iLen; // 0 = nothing sent (or the transaction was ended)
    IP_PORT stZiel;
    unsigned char ucInvoke; // its invoke id
    int iVersuch;           // repetitions its timer caused since it went as a first try
    int iSendungen;         // times its frame went out: an answer to one sent twice is no clean sample
    std::uint32_t ulErstMs; // monotonic ms of its first try: no give-up before (repetitions + 1) x 5 s after
    std::uint32_t ulVersuchMs; // monotonic ms of its latest try: its timer and answer time run from there
    std::uint32_t ulFristMs; // monotonic ms the wait was last renewed (a try, a hand-back): 5 s after it ends
    bool bVerloren;          // the latest try's timer has run out (told once)
    bool bAufgegeben;        // the wait has ended without an answer (told once)
    bool bUnbaubar;          // the last request could not be built: nothing was sent, no answer will come
    bool bGeantwortet;       // the device has answered a request since it was started
    std::uint32_t ulAnfragen; // requests sent to the device (repetitions not counted)
    std::uint32_t ulStille;   // tries to the device that went unanswered until the timer ran out
    std::uint32_t ulSpaet;    // its requests answered only after a timer ran out: late, not unanswered
    int iStilleHier;          // tries of the outstanding request counted in ulStille
    // Answer times of the device: of single ReadProperty answers, and apart from them of ReadPropertyMultiple
    // answers, which carry many values and take longer.
    SC_RTO_Struct stRto, stRtoRpm;
    // A device that answers twice: when each invoke id was last answered (monotonic ms, 0 = not yet) and the
    // longest lateness of a second answer seen (0 = none). Once one was seen, an id is used again for the
    // device only when a copy of its earlier answer can no longer come: an Error or Reject carries no object
    // by which a copy could be told from the answer to the new request.
    std::array<std::uint32_t, 256> aulAntwortMs;
    std::uint32_t ulKopieMs;
    bool bSegAn;         // the outstanding request takes segmented answers
    SC_SEG_Struct stSeg; // its segments so far
};

// An Abort taken as a refusal, beside the message check's codes (QX04_MSG_...): SC_MSG_ABBRUCH - its reason.
constexpr int SC_MSG_ABBRUCH = -3000;
// Whether a code refuses the request: an Error, a Reject, or an Abort taken as a refusal.
constexpr bool SC_ABGELEHNT(int iErg) {
    return iErg <= QX04_MSG_FEHLER;
}

// What came back for the outstanding request, as the walk gets it: decoded once, each read bounded by the
// bytes that arrived.
constexpr int SC_ANT_WERT = 1;    // an acknowledgement (QX04_MSG_ACK)
constexpr int SC_ANT_ABWEIS = 2;  // an Error or Reject
constexpr int SC_ANT_ABBRUCH = 3; // an Abort
constexpr int SC_ANT_UNKLAR = 4;  // an answer with nothing to take (an Error without a code)
constexpr int SC_ANT_STILLE = 5;  // a ReadPropertyMultiple left unanswered: it is not sent again
struct SC_ANTWORT_Struct {
    int iArt;                   // SC_ANT_...
    int iErg;                   // the message check's code (QX04_MSG_..., SC_MSG_ABBRUCH - reason)
    int iPdu;                   // the answer's APDU type (QX04_PDU_...), -1 none
    int iKlasse;                // an Error's class, -1 none
    int iCode;                  // an Error's code, a Reject's or an Abort's reason; -1 none
    QX04_BN_WERT_Struct stWert; // a ReadProperty's value
    // A ReadPropertyMultiple-ACK: its results, decoded once by the match, and the value of each.
    const QX04_BN_RPMERG *pErg;
    const QX04_BN_WERT_Struct *pRpmWert;
    int iRpmAnz; // their number
};

// ---- Events the exchange returns to the loops ----------------------------------------------------------
constexpr unsigned SC_E_GESENDET = 1;     // a new request went out
constexpr unsigned SC_E_WIEDERHOLT = 2;   // the outstanding request went again
constexpr unsigned SC_E_VERLOREN = 4;     // a try's timer ran out unanswered
constexpr unsigned SC_E_ZURUECK = 8;      // an unanswered ReadPropertyMultiple was handed back to the walk
constexpr unsigned SC_E_AUFGEGEBEN = 16;  // the wait ended without an answer (or nothing could be built)
constexpr unsigned SC_E_BEANTWORTET = 32; // the outstanding request was answered
struct SC_TA_EREIGNIS_Struct {
    SC_SCAN_Struct *pScan;
    unsigned uArt;         // SC_E_..., several at once
    std::uint32_t ulMs;    // answered: the answer time from the latest try; sent: the monotonic ms it went
    std::uint32_t ulTimer; // sent: the timer of its first try
    int iVersuch;          // sent or answered: repetitions of the request then (0 = a first try)
    bool bSauber;          // answered: a clean sample (its frame went once)
};
// The answers of one receive phase, for the loop that paces by them.
struct SC_TA_ANTWORTEN_Struct {
    int iAnz = 0;
    std::array<SC_TA_EREIGNIS_Struct, SC_EMPF_MAX> a;
};

// ---- Operations ------------------------------------------------------------------------------------------
// Start of a scan loop: the scan states whose transactions draw their invoke ids from one counter (none: the
// end of the loop); the counter starts afresh, so the first request carries invoke id 1.
void SC_AUSTAUSCH_START(SC_SCAN_Struct *const *apScan, int iAnz);
// Starting values of a state's transaction: ready, nothing sent, nothing learnt.
void SC_AUSTAUSCH_NEU(SC_TRANSAKTION_Struct *stAnf);
// A new device: what was learnt about the one before says nothing about it.
void SC_AUSTAUSCH_GERAET(SC_TRANSAKTION_Struct *stAnf);
// The state's device is done with: its transaction ends, whatever is outstanding, and frees its invoke id.
void SC_AUSTAUSCH_ENDE(SC_TRANSAKTION_Struct *stAnf);
// Loop time 5 seconds after the latest request sent (or handed back): the end rule of the scan loops.
std::uint32_t SC_FRIST();
// Sends the iLen bytes the walk built in the send buffer to stZiel as the state's outstanding request (iLen 0
// or less: nothing could be built, nothing goes). True when sent.
bool SC_ANFRAGE_SENDEN(SC_TRANSAKTION_Struct *stAnf, int iLen, const IP_PORT *stZiel, int iDienst, int iAnz);
// The pass's step for one scan state, after the receive step: what its transaction calls for (a repetition,
// a hand-back, its give-up), decided once, then the walk's next request when none is outstanding and bNeu
// allows one. The events of the step.
SC_TA_EREIGNIS_Struct SC_AUSTAUSCH(SC_SCAN_Struct *stScan, bool bNeu);
// The outstanding request goes again as the first try of a new round (its path was held by a router, or it is
// retried alone after its give-up): the same frame and invoke id, fresh repetitions and deadline. A
// repetition all the same: no new request, and its answer may be one to the copy before, so no sample. The
// event, or none when nothing was outstanding.
SC_TA_EREIGNIS_Struct SC_AUSTAUSCH_NOCHMAL(SC_SCAN_Struct *stScan);
// Timer length in ms for try iVersuch of the outstanding request.
std::uint32_t SC_TIMER(const SC_TRANSAKTION_Struct *stAnf, int iVersuch);
// What the outstanding request calls for now (decided after the waiting datagrams are read): SC_F_...
constexpr int SC_F_VERLOREN = 1, SC_F_WDH = 2, SC_F_ENDE = 4;
int SC_FAELLIG(const SC_TRANSAKTION_Struct *stAnf);
// Sends the outstanding ReadProperty again (SC_E_WIEDERHOLT), or hands an unanswered ReadPropertyMultiple
// back to the walk (SC_E_ZURUECK); 0 when neither was possible.
unsigned SC_WIEDERHOL(SC_SCAN_Struct *stScan);
// A device that has answered twice: invoke id ucId rests until a late copy can no longer come.
bool SC_RUHT(const SC_TRANSAKTION_Struct *stAnf, unsigned char ucId);
// Receive phase of a pass: the waiting datagrams, in arrival order, for the scan states apScan[0..iAnz-1]; at
// most SC_EMPF_MAX, and with bBisAntwort only up to the first answer taken, so that the next request goes out
// at once. The answers into pAntworten (when given). True when anything was taken.
bool SC_EMPF_ALLE(SC_SCAN_Struct *const *apScan, int iAnz, bool bBisAntwort,
                  SC_TA_ANTWORTEN_Struct *pAntworten);
// Whoever receives before the scan (the site's map) sees each datagram first: true when it took it whole.
using SC_VORAB_FN = bool (*)(const IP_PORT *stVon, const unsigned char *ucFrame, int iLen);
// Takes one waiting datagram: -1 nothing was waiting, 1 it answered a request (its event into pAntworten,
// when given), else 0. A datagram pfVorab takes goes no further.
int SC_EMPFANG(SC_SCAN_Struct *const *apScan, int iAnz, SC_TA_ANTWORTEN_Struct *pAntworten = nullptr,
               SC_VORAB_FN pfVorab = nullptr);
// One received datagram of iLen bytes in the receive buffer, from stVon: guard, message check and matching
// rule. The one scan state whose outstanding request it answers gets the answer and is returned, its event in
// *pEreignis (when given); any other datagram changes no scan state (null).
SC_SCAN_Struct *SC_DATAGRAMM_ZUORDNEN(SC_SCAN_Struct *const *apScan, int iAnz, int iLen, const IP_PORT *stVon,
                                      SC_TA_EREIGNIS_Struct *pEreignis = nullptr);
// A segment (its header stSeg) of the answer to the state's outstanding request, in the receive buffer: taken
// in order into the answer's buffer, acknowledged at the end of each window, a gap told once, a duplicate
// dropped. SC_SEG_WEITER: more are awaited; SC_SEG_GANZ: the answer is whole in stAnf->stSeg.vFrame;
// otherwise the transaction was aborted (an Abort sent), SC_MSG_ABBRUCH - the reason.
constexpr int SC_SEG_WEITER = 0, SC_SEG_GANZ = 1;
int SC_SEGMENT(SC_TRANSAKTION_Struct *stAnf, const QX04_BN_SEGMENT *stSeg);
// Trace of a received datagram (bGueltig: it passed the receive guard) taken for the object at
// iObjIdx/iModus.
void SC_EMPF_TRC(int iLen, const IP_PORT *stVon, bool bGueltig, int iObjIdx, int iModus);
