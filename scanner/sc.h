// The scanner program NETSCN: its options and its three phases. Each concern has a folder and a header of its
// own (setup/, bbmd/, securelink/, loop/, parallel/, pace/, exchange/, walk/, rpm/, reffile/, the observers
// report/ and ede/, and event/; their order is in README's Layout); this one is what they all share.
#pragma once
#include <cstdint>
#include "ip/ip.h"

// ---- Options of the command line ------------------------------------------------------------------------
extern char cSC_AnfuegeDpId[256];   // -A: text appended to every data-point id
extern char cSC_BeginnDpId[256];    // -B: text at which a data-point id begins
extern char cSC_EndePrefix[256];    // -E: prefix that ends before the data-point id
extern int iSC_Wiederhol;           // -R: repetitions of an unanswered request (0 to 9, default 3)
extern int iSC_Parallel;            // -P: devices scanned at the same time (1 to 64, default 1)
extern int iSC_Umsetzen;            // -U: device texts converted to the loader's code page (0 or 1)
extern int iSC_Mehrfach;            // -M: read with ReadPropertyMultiple where a device takes it (0 or 1)
extern IP_PORT stSC_Bbmd;           // -F: the BBMD to register with; address 0xFFFFFFFF = none
extern int iSC_BbmdTtl;             // -F: time-to-live of the registration, seconds
extern bool bSC_Bereich;            // -D given: the Who-Is carries the range ulQX04_DevMin..ulQX04_DevMax
extern int iSC_OptFehler;           // -15 malformed -F, -16 malformed -D (reported at once), else 0
constexpr int SC_PARALLEL_MAX = 64; // -P at most
constexpr std::uint32_t SC_DEV_MAX = 4194302; // -D: the highest device instance

// ---- Entry and phases ----------------------------------------------------------------------------------
// --help or --version anywhere on the command line: prints the usage or "netscn <cVersion>" and gives the
// exit status (0, 1 when standard output failed); -1 when neither was asked for.
int SC_HILFE(int argc, char **argv, const char *cVersion);
// Argument phase, then the resource phase: 0 or a negative error number.
int SC_INIT(int argc, char **argv);
// The scan: 0, or -21 after a failed write.
int SC_LOOP();
// Releases endpoint, files and console settings; always 0.
int SC_EXIT();
// Folds the result r of phase iPhase (1 set-up, 2 loop, 3 exit) into the combined code: r - 100 * iPhase
// when r is negative and no earlier phase failed; the process ends with status -code / 100.
int SC_KODE(int iKode, int iErg, int iPhase);
