// The scanner as a foreign device of a BBMD (-F): registration before the Who-Is, renewal during the scan,
// the delete at the end.
#pragma once
#include <cstdint>
#include "scanner/sc.h"

// Where the registration stands. bAngemeldet is set by a successful registration and cleared only when the
// delete is sent at the end: a refused renewal leaves it set, so that the delete still goes out.
struct SC_BBMD_Struct {
    bool bAngemeldet;
    std::uint32_t ulGemeldetMs; // monotonic ms of the last registration or renewal sent
    bool bFrist;                // the renewal's answer is awaited
};
extern SC_BBMD_Struct stSC_BbmdStand;
constexpr std::uint32_t SC_BBMD_FRIST_MS = 2000; // how long a renewal's answer is awaited
constexpr int SC_BBMD_ERG_WHOIS = 0x0060;        // BVLC-Result: Distribute-Broadcast-To-Network NAK

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
// The latest BVLC-Result came from our BBMD.
bool SC_BBMD_ERGEBNIS();
// A broadcast frame of iLen bytes into the network of each local address (or of the address given on the
// command line), and to the BBMD to be distributed once registered; result of the last local send.
int SC_RUNDRUF(const unsigned char *ucFrame, int iLen);
