// What the files of the pacing share and nothing outside it reads: the path table and the places as the
// pacing sees them.
#pragma once
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>
#include "scanner/pace/sc_pace.h"

constexpr int SC_PACE_RUNDE_MIN = 2;                              // answers of a round at least
constexpr std::uint32_t SC_PACE_FLACH_Z = 5, SC_PACE_FLACH_N = 4; // flat: mean <= 5/4 of the base time
constexpr std::uint32_t SC_PACE_STAU_Z = 3, SC_PACE_STAU_N = 2;   // queued: mean >= 3/2 of the base time
constexpr std::uint32_t SC_PACE_KORN_MS = 2;                      // the clock's and the scheduler's grain

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
    bool bAbweis = false; // the hold is a Reject's: the path's next answer ends it
    bool bUnerreichbar = false;                  // the router routes nowhere to the network
    int iDecke = 0;              // a budget the router refused (busy): not reached again while it is recent
    std::uint32_t ulDeckeMs = 0; // when it refused last (monotonic ms)
};
extern std::vector<SC_PFAD_Struct> vSC_Pfad;
extern std::unordered_map<std::uint64_t, int> mSC_Pfad; // path index by router, port and network
extern int iSC_Gehalten;                                // paths held by their router now
extern int iSC_LetzterPfad;                             // the path that got the latest place

// A device kept to be retried alone on its path, and one retried so.
constexpr int SC_NZ_KEINER = 0, SC_NZ_WARTET = 1, SC_NZ_ALLEIN = 2;
// A place of the parallel scan: its device's path, and what its latest request told the pacing.
struct SC_PACE_PLATZ_Struct {
    bool bBelegt = false;
    std::uint32_t ulDev = 0; // the device's instance, for the trace
    int iPfad = 0;
    bool bGesendet = false;        // a request has gone since the device started
    bool bOffen = false;           // its request is outstanding
    bool bErst = false;            // its latest try was a first try
    std::uint32_t ulMs = 0;        // when its latest try went (monotonic ms)
    std::uint32_t ulTimer = 0;     // the first try's timer
    bool bAllein = false;          // nothing else was in flight on the path when it first went
    std::uint32_t ulPfadStand = 0; // answers on the path when it first went
    std::uint32_t ulRundeNr = 0;   // the path's round then
    bool bVoll = false;            // it used the path's budget in full
    int iNachzug = SC_NZ_KEINER;
};
extern std::array<SC_PACE_PLATZ_Struct, SC_PARALLEL_MAX> astSC_PacePlatz;
extern int iSC_PacePlaetze; // places up to the last one ever taken: the loops over places end there

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
// Requests in flight on path iPfad (outstanding and within their first timer), place iOhne not counted.
int SC_PACE_FLUG(int iPfad, int iOhne);
// Holds path iPfad for ulDauer ms, or (bHalten false) frees it: the places whose requests go again then into
// aiPlatz from *piAnz on.
void SC_PACE_HALTEN(int iPfad, bool bHalten, std::uint32_t ulDauer, int *aiPlatz, int *piAnz);
