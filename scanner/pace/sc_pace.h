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
//
// Routers speak for their networks: a Router-Busy-To-Network holds the paths of the networks it names (all of
// the router's when it names none) until Router-Available-To-Network or 30 s; a Reject-Message-To-Network
// "router busy" holds its path for two of its answer times (a second while none is known), or until the
// path's next answer: it refused one request, and its buffer is free again once the one before is answered; "not a router to DNET" ends the
// devices of that path at once.
// While held, a path sends nothing, not even a repetition, and gives nothing up. A device silent after its
// repetitions while its path answered others is not dead, the network was full: it is retried alone there.
//
// The parallel scan tells the pacing what happens at its places (0 to SC_PARALLEL_MAX - 1): a device started
// or done, a request sent, answered or lost, a give-up, a router message; the pacing says which device starts
// next and whether a place may send. Its tables are its own.
#pragma once
#include <cstdint>
#include "bacnet/bn.h"
#include "scanner/sc.h"

constexpr std::uint32_t SC_PACE_BESETZT_MS = 30000; // Router-Busy-To-Network holds a path this long at most
constexpr std::uint32_t SC_PACE_ABWEIS_MS = 1000;   // a Reject "router busy" holds it this long at most
constexpr std::uint32_t SC_PACE_ABWEIS_N = 2;       // ... and as many of the path's answer times when known
constexpr std::uint32_t SC_PACE_RUHE_MS = 30000; // a budget the router refused stays out of reach this long

// A new parallel scan: no paths known, every place free.
void SC_PACE_NEU();
// Path choice: of the device table entries uVon to uBis - 1 that wait for a place (pfWartet), the one to
// start next: from the path with the fewest places among those with room (below their budget, not held, no
// device waiting there to be retried alone), the paths in turn, within a path the earliest; -1 when none may
// start.
long SC_PACE_WAHL(std::uint32_t uVon, std::uint32_t uBis, bool (*pfWartet)(std::uint32_t uDev));
// Place iPlatz starts device table entry uDev; and is free again.
void SC_PACE_BELEGT(int iPlatz, std::uint32_t uDev);
void SC_PACE_FREI(int iPlatz);
// May place iPlatz send in this pass: SC_DARF_AUFGEBEN its device ends at once (its router reaches it not),
// SC_DARF_WARTEN nothing at all (held, or waiting to be retried alone), SC_DARF_ALLEIN its request goes again
// now, alone on its path, SC_DARF_WDH repetitions only (its path has as many in flight as its budget allows),
// SC_DARF_NEU new requests too.
constexpr int SC_DARF_AUFGEBEN = -1, SC_DARF_WARTEN = 0, SC_DARF_ALLEIN = 1, SC_DARF_WDH = 2, SC_DARF_NEU = 3;
int SC_PACE_DARF(int iPlatz);
// Place iPlatz sent a request at ulMs (monotonic); bErst: as a first try, whose first timer is ulTimer ms.
void SC_PACE_GESENDET(int iPlatz, std::uint32_t ulMs, std::uint32_t ulTimer, bool bErst);
// Its request was answered after ulMs; bSauber: the answer is to the try that ulMs runs from.
void SC_PACE_BEANTWORTET(int iPlatz, std::uint32_t ulMs, bool bSauber);
// A try of its request went unanswered until its timer ran out; bZurueck: it is no longer outstanding.
void SC_PACE_VERLOREN(int iPlatz, bool bZurueck);
// Its request was given up: true when the device keeps its place to be retried alone.
bool SC_PACE_AUFGEGEBEN(int iPlatz);
// A router message (an Available frees a path), or, for null, the holds that have run out: the places whose
// outstanding requests go again now into aiPlatz (room for SC_PARALLEL_MAX), their number.
int SC_PACE_MELDUNG(const QX04_NETZMELDUNG *pMeldung, int *aiPlatz);
// The budget of router stRouter's network usNetz: as learnt, or a new path's while none is known.
int SC_PACE_BUDGET(const IP_PORT *stRouter, std::uint16_t usNetz);
