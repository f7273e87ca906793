// What the scan could not read, per device and data point: the scan report (-J<file>, JSON) and the progress
// with an estimate (-V). Both observe the scan's events; set-up registers them, nothing else calls them.
#pragma once
#include "scanner/event/sc_ereignis.h"

// Start values, before the options are read.
void SC_BERICHT_NEU();
// -J<file> or -V: true when the argument was one of them.
bool SC_BERICHT_OPTION(const char *cArg);
// Before anything is sent: 1 when -J or -V was given, the command line kept and a file of the report's name
// can be created next to it; 0 without either; the console error and -13 when it cannot.
int SC_BERICHT_PRUEFEN(int argc, char **argv);
// An event of the scan; at its end the report is written: 0, or -23 when it could not be (reported).
int SC_BERICHT_MELDEN(const SC_EREIGNIS_Struct *stE);
// -V: 1 when the progress line takes the status line's place, else 0.
int SC_FORTSCHRITT_PRUEFEN(int argc, char **argv);
// The progress line, at every status line of the scan.
int SC_FORTSCHRITT_MELDEN(const SC_EREIGNIS_Struct *stE);
