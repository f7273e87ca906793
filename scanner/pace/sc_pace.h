// Pacing of the parallel scan by path: devices behind one router network share its token, its buffer and its
// link, so the requests in flight on a path are bounded by a budget learnt from the answer times there. A
// device on the IP network is a path of its own.
//
// The rule: start at one request in flight. A round is as many answers as the budget (two at least), to
// requests sent under that budget while it was used in full (a budget never used says nothing). The
// budget goes up by one after a round whose mean answer time stayed within 5/4 of the path's base time (plus
// the clock's grain) and nothing lost; down by one after a round at 3/2 of the
// base time or more (the router queues); halved when a request goes unanswered or the router says it is busy.
// The base time is learnt from requests sent while nothing else was in flight on the path, so it holds no
// queueing of the scanner's own making. Delay-based growth, because a router with a small buffer drops the
// request beyond it: growing until a loss, as plain additive increase does, would lose one request per round
// on every network; a loss still halves, because it is the surest sign that the path is full.
#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>
#include "ip/ip.h"

constexpr int SC_PACE_RUNDE_MIN = 2;                              // answers of a round at least
constexpr std::uint32_t SC_PACE_FLACH_Z = 5, SC_PACE_FLACH_N = 4; // flat: mean <= 5/4 of the base time
constexpr std::uint32_t SC_PACE_STAU_Z = 3, SC_PACE_STAU_N = 2;   // queued: mean >= 3/2 of the base time
constexpr std::uint32_t SC_PACE_KORN_MS = 2;                      // the clock's and the scheduler's grain
constexpr std::uint32_t SC_PACE_BESETZT_MS = 30000; // Router-Busy-To-Network holds a path this long at most
constexpr std::uint32_t SC_PACE_ABWEIS_MS = 1000;   // a Reject "router busy" holds it this long

struct SC_PFAD_Struct {
    IP_PORT stRouter;              // the router, or the device itself on the IP network
    std::uint16_t usNetz;          // the network behind the router, 0 on the IP network
    int iBudget = 1;               // requests in flight at most
    std::uint32_t ulBasis8 = 0;    // answer time of requests sent alone, smoothed (gain 1/8), eighths of a ms
    std::uint64_t ullRunde = 0;    // sum of the round's answer times, ms
    int iRunde = 0;                // answers of the round
    std::uint32_t ulRundeNr = 0;   // rounds begun: only requests sent in the round count for it
    bool bVerlust = false;         // a request of the round went unanswered
    std::uint32_t ulAntworten = 0; // answers on the path since the scan started
    bool bGehalten = false;        // held by the router: no request goes
    std::uint32_t ulHaltMs = 0, ulHaltDauer = 0; // since when (monotonic ms), and for how long at most
    bool bUnerreichbar = false;                  // the router routes nowhere to the network
};
extern std::vector<SC_PFAD_Struct> vSC_Pfad;
extern std::unordered_map<std::uint64_t, int> mSC_Pfad; // path index by router, port and network

// An empty path table, at the start of a parallel scan.
void SC_PFADE_NEU();
// The path of device table entry uDev: its index in vSC_Pfad, made on first use.
int SC_PFAD(std::uint32_t uDev);
// The path of router stVon and network usNetz, -1 when none is known.
int SC_PFAD_SUCHEN(const IP_PORT *stVon, std::uint16_t usNetz);
// An answer after ulMs to a request of the path sent with nothing else in flight there (bAllein), and
// whether it was sent in the round going on with the budget used in full (bRunde).
void SC_PFAD_ANTWORT(int iPfad, std::uint32_t ulMs, bool bAllein, bool bRunde);
// A request of the path went unanswered, or the router said it is busy (cWarum, for the trace).
void SC_PFAD_VERLUST(int iPfad, const char *cWarum);
// Sets the path's budget, traced under -TX with the answer time that changed it (0: none).
void SC_PFAD_BUDGET(int iPfad, int iNeu, std::uint32_t ulMs, const char *cWarum);
// Text of a path for the trace: "router/network", or the device's address; valid until the next call.
const char *SC_PFAD_TEXT(int iPfad);
