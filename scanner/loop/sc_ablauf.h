// The frame of a scan, sequential or parallel: its start, the end of each pass, its verdicts and its trace.
#pragma once
#include <cstdint>

struct SC_SCAN_Struct;

constexpr int SC_WARTE_MS = 4;              // longest sleep of a pass that neither received nor sent
constexpr int SC_RCVBUF = 16 * 1024 * 1024; // receive buffer asked for: room for the I-Ams of a full table

// When the Who-Is went out (monotonic ms, UT_MSEK): the parallel scan's end counts from it.
extern std::uint32_t ulSC_WhoIsMs;
// The wait for I-Ams of the parallel scan: ms after the Who-Is and after the latest I-Am.
constexpr std::uint32_t SC_IAM_WARTEN_MS = 5000;

// Start of both scan loops: entry trace, loop clock, "Warten auf 'I-Am'".
void SC_LOOP_BEGINN();
// Idle wait of a pass that neither received nor sent (bEtwas false): until a datagram arrives, but only
// briefly, so that every deadline is seen in time.
void SC_LEERLAUF(bool bEtwas);
// The verdicts of a scan: an error, or success, or one time-out verdict per address text in acTimeout.
// The scan's result: iErg, or the error of a report that could not be written.
int SC_URTEIL(int iErg, const char *const *acTimeout, int iAnz);
// The verdict at the end of the sequential scan, and the scan's result.
int SC_ENDE(SC_SCAN_Struct *stScan);
// Before the verdict of either scan: one console line per device instance claimed by a second address.
void SC_DOPPELT_MELDEN();
// The scan's exit trace: result, loop time and deadline.
void SC_LOOP_TRC(int iErg, std::uint32_t ulRecvTmo);
// Address text of the time-out verdict: the object's address with the property of the last request.
const char *SC_TMO_ADR(SC_SCAN_Struct *stScan);
