// Set-up of the scanner: the arguments, the resources (endpoint, device table, files) and the Who-Is.
#pragma once
#include "scanner/sc.h"

// Argument i of the command line: the endpoint text only in first position (a wrong one is ignored), options
// anywhere; unknown options and malformed numbers are ignored.
void SC_INIT_ARG(int i, const char *cArg);
// Runs after the argument phase with its error number: 0, or the error number of the set-up.
int SC_INIT_RES(int ier, int argc, char **argv);
// A broadcast frame of iLen bytes into the network of each local address (or of the address given), and to
// the BBMD to be distributed once registered; result of the last local send.
int SC_RUNDRUF(const unsigned char *ucFrame, int iLen);
// One Who-Is into the network of each local address (or of the address given), and to the BBMD to be
// distributed once registered; result of the last local send.
int SC_WHOIS();
