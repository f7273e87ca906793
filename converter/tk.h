// The converter program: CSV data points to a ZDB reference file, hand-over to the loader.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

// ---- Converter state, set by TK_INIT and used by the conversion and the end phase
// ---------------------------
extern int iTK_L_Modus;          // 1 = hand tabconv.ref to the loader at the end (option L)
extern int iTK_TrbId;            // driver id from the first valid record; -1 = no header written yet
extern FILE *fpTK_CSV;           // the CSV file, null when not open
extern FILE *fpTK_REF;           // tabconv.ref, null when not open
extern char cTK_CSV_Buf[512];    // CSV line; also the loader's command line
extern char cTK_REF_Buf[512];    // reference-file line
extern char cTK_Obj_Kenn[5];     // object identifier, at most 4 characters
extern char cTK_GAK_Kenn[11];    // GAK identifier, at most 10 characters
extern const char cTK_Version[]; // program version shown in the banner
extern int iTK_Umsetzen;         // 1 = the CSV is UTF-8, its fields go into the loader's code page (option U)

// ---- Program phases --------------------------------------------------------------------------------------
// --help or --version anywhere on the command line: prints the usage or "tabconv <cVersion>" and gives the
// exit status (0, 1 when standard output failed); -1 when neither was asked for.
int TK_HILFE(int argc, char **argv, const char *cVersion);
int TK_INIT(int argc, char **argv); // 0, -1 missing argument, -10/-11 CSV open/read, -12 tabconv.ref
void TK_INIT_ARG(const char *cArg); // one option, from the second argument on: -L, -T...
int TK_DP_LOOP();                   // 0, or -21 ... -24 at the first faulty record
int TK_EXIT();                      // closes the files, hands over to the loader; 0
// Reads the next line of the CSV file into cTK_CSV_Buf: at most 254 characters, the rest of a longer line
// being the next line. With -U they are characters of UTF-8, so that a line holds as much as in the code
// page, and a byte-order mark at the start of the file (bAnfang) is dropped. False at the end of the file.
bool TK_CSV_ZEILE(bool bAnfang);

// ---- Reference-file output -------------------------------------------------------------------------------
// Writes one line of tabconv.ref (bHead: the header line). Data lines are gathered into large blocks so that
// a million records do not cost a million system calls; a failed block write is still charged to the line it
// hit. Returns 0, -23 (a data line failed) or -24 (a header line failed).
int TK_REF_WRITE(const char *cLine, int iLen, bool bHead);
extern char cTK_REF_Blk[65536];  // data lines not yet written
extern std::size_t uTK_REF_Fill; // bytes used in cTK_REF_Blk
// Writes what TK_REF_WRITE still holds: 0, or -23 when a data line could not be written.
int TK_REF_FLUSH();

// ---- Hand-over to the loader -----------------------------------------------------------------------------
// "exec ctrload tabconv.ref <driver id> '<object id>' '<GAK id>'" into cBuf, each identifier quoted for the
// shell so that it reaches the loader unchanged as one argument. Length, or -1 when it does not fit.
int TK_LD_CMD(char *cBuf, std::size_t uSize);
