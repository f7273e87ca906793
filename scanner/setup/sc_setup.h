// Set-up of the scanner: the arguments, the resources (endpoint, device table, files) and the Who-Is, and the
// observers that options turn on.
#pragma once
#include <array>
#include "scanner/event/sc_ereignis.h"
#include "scanner/sc.h"

// Argument i of the command line: the endpoint text only in first position (a wrong one is ignored), options
// anywhere; unknown options and malformed numbers are ignored.
void SC_INIT_ARG(int i, const char *cArg);
// Runs after the argument phase with its error number: 0, or the error number of the set-up.
int SC_INIT_RES(int ier, int argc, char **argv);
// One Who-Is into the network of each local address (or of the address given), and to the BBMD to be
// distributed once registered; result of the last local send.
int SC_WHOIS();
// ---- Observers
// The observers options turn on, in the order they are told: the scan report, the progress line, the EDE
// files, the site's map and its discovery, and the interrupt's.
constexpr std::size_t SC_OPT_BEOBACHTER = 6;
extern const std::array<SC_BEOBACHTER_Struct, SC_OPT_BEOBACHTER> astSC_Beobachter;
// Before the options: none registered, each at its start values.
void SC_BEOBACHTER_NEU();
// An observer's option: true when one took cArg.
bool SC_BEOBACHTER_OPTION(const char *cArg);
// Before anything is sent: the observers given are checked and registered; 0 or the first one's error.
int SC_BEOBACHTER_ANMELDEN(int argc, char **argv);
