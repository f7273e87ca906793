// The exchange of one scan state with its device: the outstanding request (sent, matched, repeated or given
// up) and what came back, handed to the walk. Both scan loops drive it the same way; it does not know which.
#pragma once
#include <array>
#include <cstdint>
#include "bacnet/bn.h"
#include "scanner/sc.h"

struct SC_SCAN_Struct;

constexpr int SC_BEREIT = 254;   // wait state: the next request may be sent
constexpr int SC_WARTET = 0;     // a request is outstanding
constexpr int SC_ERLEDIGT = 1;   // its answer is being handled
constexpr int SC_EMPF_MAX = 256; // datagrams taken in one pass at most, so requests still go out
constexpr std::uint32_t SC_KOPIE_MAX_MS = 2000; // longest rest of an invoke id: inside any deadline
constexpr int SC_DEADLINE_S = 5;                // seconds of loop time an unanswered request is waited for

// What the outstanding request is: a ReadProperty, or a ReadPropertyMultiple for list elements or objects.
constexpr int SC_ART_RP = 0, SC_ART_LISTE = 1, SC_ART_OBJEKTE = 2;

// ---- Repetition timer: how long an unanswered request waits before it goes again ------------------------
constexpr std::uint32_t SC_RTO_ERST = 1000;  // ms, while no answer time of the device is known
constexpr std::uint32_t SC_RTO_BODEN = 100;  // ms at least: a fast device's answer may be late by this much
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
// An answer has come now (UT_MSEK) to a request first sent at ulGesendet and repeated iVersuch times.
void SC_RTO_MESSUNG(SC_RTO_Struct *stRto, std::uint32_t ulGesendet, int iVersuch);
// Timer length in ms for try iVersuch (0 = the first) of a request to the device.
std::uint32_t SC_RTO_DAUER(const SC_RTO_Struct *stRto, int iVersuch);
// Trace (-TO, -TO1) at the end of a device's scan: how long it took and its answer times.
struct SC_ANFRAGE_Struct;
void SC_RTO_TRC(const SC_ANFRAGE_Struct *stAnf, std::uint32_t ulDev);

// The outstanding request, as a BACnet client's transaction table keeps it, and what the exchange learnt
// about the device it goes to.
struct SC_ANFRAGE_Struct {
    int iWarten; // SC_BEREIT, SC_WARTET or SC_ERLEDIGT
    int iArt;    // SC_ART_...
    int iAnz;    // list elements or objects a ReadPropertyMultiple asks for
    // The request as it was sent: a repetition is the same frame to the same node, and answers are matched
    // against it.
    unsigned char ucFrame[QX04_BUF_SIZE];
    int iLen; // 0 = nothing sent yet
    IP_PORT stZiel;
    unsigned char ucInvoke;    // its invoke id
    int iVersuch;              // repetitions sent so far
    std::uint32_t ulVersuchMs; // monotonic ms of its latest try: the timer runs from there, the sample too
    std::uint32_t ulRecvTmo;   // loop time 5 seconds after the latest request this state sent
    std::uint32_t ulAufgabe;   // loop time (repetitions + 1) x 5 s after its first try: no give-up before
    bool bUnbaubar;            // the last request could not be built: nothing was sent, no answer will come
    bool bGeantwortet;         // the device has answered a request since it was started
    std::uint32_t ulAnfragen;  // requests sent to the device (repetitions not counted)
    std::uint32_t ulStille;    // tries to the device that went unanswered until the timer ran out
    // Answer times of the device: of single ReadProperty answers, and apart from them of ReadPropertyMultiple
    // answers, which carry many values and take longer.
    SC_RTO_Struct stRto, stRtoRpm;
    // A device that answers twice: when each invoke id was last answered (monotonic ms, 0 = not yet) and the
    // longest lateness of a second answer seen (0 = none). Once one was seen, an id is used again for the
    // device only when a copy of its earlier answer can no longer come: an Error or Reject carries no object
    // by which a copy could be told from the answer to the new request.
    std::array<std::uint32_t, 256> aulAntwortMs;
    std::uint32_t ulKopieMs;
};

// What came back for the outstanding request, as the walk gets it.
constexpr int SC_ANT_WERT = 1;        // an acknowledgement (iErg 3)
constexpr int SC_ANT_ABWEIS = 2;      // an Error (iErg -1000 - code) or Reject (-2000 - reason)
constexpr int SC_ANT_ABBRUCH = 3;     // an Abort
constexpr int SC_ANT_UNKLAR = 4;      // an answer with nothing to take (an Error without a code)
constexpr int SC_ANT_STILLE = 5;      // a ReadPropertyMultiple left unanswered: it is not sent again
constexpr int SC_ERG_ABBRUCH = -3000; // an Abort taken as a refusal: SC_ERG_ABBRUCH - its reason
struct SC_ANTWORT_Struct {
    int iArt;                   // SC_ANT_...
    int iErg;                   // the message check's result
    const QX04_BN_RPMERG *pErg; // the results of a ReadPropertyMultiple-ACK, decoded once by the match
    int iRpmAnz;                // their number
};

// Starting values: nothing sent, nothing learnt.
void SC_AUSTAUSCH_NEU(SC_ANFRAGE_Struct *stAnf);
// A new device: what was learnt about the one before says nothing about it.
void SC_AUSTAUSCH_GERAET(SC_ANFRAGE_Struct *stAnf);
// Sends the iLen bytes of the send buffer to stZiel and keeps them as the outstanding request.
void SC_ANFRAGE_SENDEN(SC_ANFRAGE_Struct *stAnf, int iLen, const IP_PORT *stZiel, int iArt, int iAnz);
// A device that has answered twice: the next invoke id rests until a late copy can no longer come.
bool SC_RUHT(const SC_ANFRAGE_Struct *stAnf);
// The pass's step for one scan state, after the receive step: a repetition when the timer ran out, then the
// walk's next request when none is outstanding and bNeu allows one. SC_GESENDET when a request went out,
// SC_AUFGEGEBEN when the wait has ended without an answer (or the request could not be built), else 0.
constexpr int SC_GESENDET = 1, SC_AUFGEGEBEN = -1;
int SC_AUSTAUSCH(SC_SCAN_Struct *stScan, bool bNeu);
// Timer length in ms for try iVersuch of the outstanding request.
std::uint32_t SC_TIMER(const SC_ANFRAGE_Struct *stAnf, int iVersuch);
// What the outstanding request calls for now (decided after the waiting datagrams are read).
constexpr int SC_F_WDH = 1, SC_F_ENDE = -1;
int SC_FAELLIG(const SC_ANFRAGE_Struct *stAnf);
// Sends the outstanding ReadProperty again, or hands an unanswered ReadPropertyMultiple back to the walk.
// True when something was sent.
bool SC_WIEDERHOL(SC_SCAN_Struct *stScan);
// Receive phase of a pass: the waiting datagrams, in arrival order, for the scan states apScan[0..iAnz-1]; at
// most SC_EMPF_MAX, and with bBisAntwort only up to the first answer taken, so that the next request goes out
// at once. True when anything was taken.
bool SC_EMPF_ALLE(SC_SCAN_Struct *const *apScan, int iAnz, bool bBisAntwort);
// Takes one waiting datagram: -1 nothing was waiting, 1 it answered a request, else 0.
int SC_EMPFANG(SC_SCAN_Struct *const *apScan, int iAnz);
// One received datagram of iLen bytes in the receive buffer, from stVon: guard, message check and matching
// rule. The one scan state whose outstanding request it answers gets the answer and is returned; any other
// datagram changes no scan state (null).
SC_SCAN_Struct *SC_DATAGRAMM_ZUORDNEN(SC_SCAN_Struct *const *apScan, int iAnz, int iLen,
                                      const IP_PORT *stVon);
// Trace of a received datagram (bGueltig: it passed the receive guard) taken for the object at
// iObjIdx/iModus.
void SC_EMPF_TRC(int iLen, const IP_PORT *stVon, bool bGueltig, int iObjIdx, int iModus);
