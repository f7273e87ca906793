// The scan as EDE files (-X<prefix>): <prefix>_EDE.csv with a row per device and per data point, and
// <prefix>_StateTexts.csv with the state texts they refer to, in UTF-8, the texts whole as the devices sent
// them. An observer of the scan's events; set-up registers it, nothing else calls it.
#pragma once
#include "scanner/event/sc_ereignis.h"

// Start values, before the options are read.
void SC_EDE_NEU();
// -X<prefix>: true when the argument was -X (-X alone is ignored like an unknown option).
bool SC_EDE_OPTION(const char *cArg);
// Before anything is sent: 1 when -X was given and both files can be created, 0 without -X, the console
// error and -14 when one cannot.
int SC_EDE_PRUEFEN(int argc, char **argv);
// An event of the scan; at its end both files are written: 0, or -24 when one could not be (reported).
int SC_EDE_MELDEN(const SC_EREIGNIS_Struct *stE);
