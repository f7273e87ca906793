// An interrupt keeps what was read: while an observer writes files at the scan's end (-J, -X, -G), an
// interrupt (SIGINT, SIGTERM, SIGHUP) is only noted; at the next event of the scan the observers are told the
// scan's end, marked with the signal, so that they write what was read, and the process then ends by that
// signal as it would have without. Without such an observer no handler is installed.
#pragma once
#include <array>
#include <csignal>
#include "scanner/event/sc_ereignis.h"

// The signals taken, and what each did before (given back at the scan's end).
constexpr std::array<int, 3> aiSC_SIGNALE = {SIGINT, SIGTERM, SIGHUP};
extern std::array<struct sigaction, aiSC_SIGNALE.size()> astSC_SignalAlt;
// The signal that interrupted the scan, 0 while none came.
extern volatile std::sig_atomic_t iSC_Signal;
// Before anything is sent: 1 and the handlers installed when a registered observer writes files, else 0.
int SC_UNTERBRECHUNG_PRUEFEN(int argc, char **argv);
// Any event: after an interrupt, the scan's end told to every observer, then the process ended by the signal.
int SC_UNTERBRECHUNG_MELDEN(const SC_EREIGNIS_Struct *stE);
