// Runtime library utilities: trace switches, time stamps and packed time, loop clock, error log,
// operating protocol, queue files, clock setting, attribute text catalogue, CSV splitting.
#pragma once
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <sys/time.h>

// ---- Clock seam: every read of the time of day goes through here --------------------------------------
using UT_CLOCK_FN = void (*)(struct timeval *tv);
void UT_CLOCK_GET(struct timeval *tv);
void UT_CLOCK_SET(UT_CLOCK_FN fn); // nullptr = the system clock
// Monotonic milliseconds (they come round after 49 days: compare differences), for short waits that must not
// jump when the time of day is set. The same seam: a test sets the function.
using UT_MSEK_FN = std::uint32_t (*)();
std::uint32_t UT_MSEK();
void UT_MSEK_SET(UT_MSEK_FN fn); // nullptr = the system's monotonic clock

// ---- Trace switches and trace output ----------------------------------------------------------------------
extern unsigned char TEST_T_A, TEST_T_A1, TEST_T_A2, TEST_T_A3, TEST_T_A4;
extern unsigned char TEST_T_I, TEST_T_I1, TEST_T_I2, TEST_T_I3;
extern unsigned char TEST_T_O, TEST_T_O1, TEST_T_O2;
extern unsigned char TEST_T_X, TEST_Z_;
extern FILE *TEST_T_fpout;
extern char TEST_T_filnam[128];

inline bool UT_TRC_IN() { return TEST_T_A || TEST_T_A1; }
inline bool UT_TRC_OUT() { return TEST_T_A || TEST_T_A4; }
// lead + "(" time stamp ")   " + name + ":  " + text, then flush.
void UT_TRC(const char *cLead, const char *cName, const char *cFmt, ...) __attribute__((format(printf, 3, 4)));
// Continuation text of a trace line, no prefix, no flush.
void UT_TRC_CONT(const char *cFmt, ...) __attribute__((format(printf, 1, 2)));
// Applies one switch option ("-T..." or "-Z", either case, "/" as well) to the trace switches.
void UT_T_OPTION(const char *cArg);
// Closes a trace file opened by -TD (flushes it); standard error stays.
void UT_T_CLOSE();
// "\n(time stamp)   <cName>:  Gesetzte Testschalter sind :\n" and one line per set switch (option -TX).
void UT_T_LISTE(const char *cName);

// ---- Asking a program how it is used ----------------------------------------------------------------------
// --help (prints cText) or --version (prints "<cProgramm> <cVersion>") anywhere on the command line, as the
// whole argument: the exit status for the program to end with (0, or 1 when standard output failed); -1 when
// neither was given.
int UT_HILFE(int argc, char **argv, const char *cProgramm, const char *cVersion, const char *cText);

// ---- Time stamps and packed date-time ------------------------------------------------------------------
char *UT_T_TIME();
int UT_NORM_STRING(char *cText);
int UT_UDATETAG(std::uint16_t usDate);
int UT_UTIMESEK(std::uint16_t usTime);
std::uint32_t UT_TAG_S2DT(std::uint32_t ulTag, std::uint32_t ulSek);
std::uint32_t UT_DT_ADD(std::uint32_t ulDT, int iTage, std::uint32_t ulSek);
char *UT_DT2CI(std::uint32_t ulDT);
extern char cUT_CI_UNDEF[15];
// Packs local broken-down time (seconds halved, remainder dropped).
std::uint32_t UT_TM2DT(const struct tm *tm);
// 1 for a leap year, else 0.
int UT_SCHALTJAHR(int iJahr);
// Days of month iMonat (1-12) in year iJahr; months after the eleventh count 31.
int UT_MON_TAGE(int iJahr, int iMonat);

// ---- Loop time, start-up, configuration ------------------------------------------------------------------
extern std::uint32_t ulUT_LOOPZeit, ulUT_LASTZeit;
extern char cUT_LOOPZeit[15], cUT_LASTZeit[15];
extern char cUT_LOOP10Jahr, cUT_LOOP1Jahr, cUT_LOOP10Monat, cUT_LOOP1Monat, cUT_LOOP10Tag, cUT_LOOP1Tag;
extern char cUT_LOOP10Std, cUT_LOOP1Std, cUT_LOOP10Min, cUT_LOOP1Min, cUT_LOOP10Sek, cUT_LOOP1Sek;
extern char cUT_LAST10Jahr, cUT_LAST1Jahr, cUT_LAST10Monat, cUT_LAST1Monat, cUT_LAST10Tag, cUT_LAST1Tag;
extern char cUT_LAST10Std, cUT_LAST1Std, cUT_LAST10Min, cUT_LAST1Min, cUT_LAST10Sek, cUT_LAST1Sek;
extern unsigned char ucUT_LOOPWTag, ucUT_LASTWTag, ucUT_LOOPHSek, ucUT_LASTHSek;
extern std::uint32_t ulUT_LOOPuSek, ulUT_LASTuSek;
extern std::uint32_t ulUT_ZB_Stunde, ulUT_ZB_Tag, ulUT_ZB_Woche, ulUT_ZB_Monat, ulUT_ZB_Jahr;
extern std::uint32_t ulUT_DiskSize, ulUT_DiskFree;
extern std::uint32_t uUT_ProdId, ulUT_fUNDEF;
extern unsigned char UT_KK_CFG[42];
extern std::uint32_t ulUT_Z_Nxt, ulUT_Z_Set;
// Operating-protocol configuration: start values come from UT_INIT, the printer consults them.
extern unsigned char ucUT_DR_STAT, ucUT_DR_Typ;
extern char cUT_DR_Bez[129];
extern std::uint32_t uUT_DR_AnzWSL, uUT_DR_AnzPRT, ulUT_DR_SizeWSL;

// Five-byte record of a single-point message with its object address; its width is checked at start-up.
struct __attribute__((packed)) UT_ZDB_ASDU_30_1 {
    std::uint32_t ulAdr;
    unsigned char ucSIQ;
};

int UT_INIT(int argc, char **argv);
int UT_LOOPTIME();
std::uint32_t UT_DISKSIZE();
std::uint32_t UT_DISKFREE();
unsigned char *UT_KK_GETKK();

// ---- Error log -----------------------------------------------------------------------------------------
extern unsigned char ucUT_EL_Typ;
extern char cUT_EL_Bez[13];
extern std::uint32_t uUT_EL_AnzWSL, ulUT_EL_SizeWSL;
int UT_ERR_LOG(const char *cRoutine, int iErr, int iCode, const char *cText);

// ---- Program variant: values that differ between the scanner and the converter ---------------------------
// (each program links its own definitions from runtime/ut/netscn/ or runtime/ut/tabconv/)
extern const bool bUT_VAR_TABCONV;          // true in the converter build
extern const std::uint32_t uUT_EL_ZeileMax; // highest line count the error log keeps
// Size of the error-log file for its size limit; 0xFFFFFFFF (no size, never over the limit) in the scanner.
std::uint32_t UT_EL_FSIZE(const char *cName);
// Widths of a queue's entry count and read offset (32-bit in the scanner, 64-bit in the converter).
extern const std::int64_t lUT_WSL_AnzMax;
extern const std::int64_t lUT_WSL_OffsMax;
// Width checks of the basic types at start-up: 0, or -21/-22/-24/-25 after printing the mismatch
// (converter only; the scanner returns 0).
int UT_INIT_TYPEN();

// ---- Reference file frame shared by scanner and converter -------------------------------------------------
// "00000 dd/mm/yyyy hh:mm " + source text, from the loop time; returns the length written.
int UT_ZDB_HEAD(char *cBuf, std::size_t uSize, const char *cQuelle);
// Columns 1-48 of a data line: "%05u %-16s %1u 0 15 15 15 0 0 000 %03lu "; returns the length written.
int UT_ZDB_PREFIX(char *cBuf, std::size_t uSize, unsigned uNr, const char *cDpId, unsigned uTyp,
                  unsigned long ulAtb);

// ---- Operating protocol, queue files, time jumps ------------------------------------------------------------
// Control record of one queue file "<name>.WSL" (text lines or fixed binary records), held by the caller.
// lAnz: 0 = empty; n > 0 = n unread entries in the file from lOffset on; -n = n unread entries of which the
// oldest is also in cBuf (-1: only in cBuf, there is no file).
struct UT_WSL_Struct {
    char cName[9];        // queue name without extension
    int iLen;             // 0 = text lines, 1..256 = record length
    FILE *fp;             // open only during an operation
    std::int64_t lAnz;    // within the program's count width (lUT_WSL_AnzMax)
    std::int64_t lOffset; // file offset of the next entry read from the file (up to lUT_WSL_OffsMax)
    char cBuf[264];       // oldest entry (lAnz < 0) or the entry last read
};
// Loads the queue from its file: 0; 2 name empty/longer than 8 or file not openable; 3 length not 0..256.
int UT_WSL_INIT(UT_WSL_Struct *psWSL, const char *cName, int iLen);
// Appends one entry (text: terminated, line feed added; binary: iLen bytes): 0; 2 text of 256 or more
// characters besides a final line feed; 10 file not openable, entry not written completely, or the queue full.
int UT_WSL_WRIT(UT_WSL_Struct *psWSL, const char *cEintrag);
// Oldest entry, consumed (mode 0) or only looked at (mode 1); null when empty, on an error or another mode.
char *UT_WSL_RXXX(UT_WSL_Struct *psWSL, int iModus);
char *UT_WSL_READ(UT_WSL_Struct *psWSL);
// Leaves the file loadable by UT_WSL_INIT: mode 0 compacts through "<name>.WST", 1 in place, 2 discards it.
// 0; 2 other mode; 10 queue file not writable or positionable; 11 second file, copy or truncation failed.
int UT_WSL_EXIT(UT_WSL_Struct *psWSL, int iModus);
// "<name><cExt>" of the queue into cDatei (at least 13 bytes); false when the record holds no name.
bool UT_WSL_DATEI(const UT_WSL_Struct *psWSL, const char *cExt, char *cDatei, std::size_t uSize);
// One entry from / to the queue's open stream psWSL->fp; true when it was complete (cZiel: 258 bytes or more).
bool UT_WSL_GET(UT_WSL_Struct *psWSL, char *cZiel);
bool UT_WSL_PUT(UT_WSL_Struct *psWSL, const char *cEintrag);

// Operating protocol: queue "DR_OPROT" and the output configuration (further globals above).
extern UT_WSL_Struct WSL_UT_DR_OPROT;
extern unsigned char ucUT_DR_Zeilen; // lines per page: 0/255 none, 1-4 form feed only, 5-254 with header
// Appends a message line to the queue and makes one output step: 1 while a line is pending or queued, 0 idle,
// -1/-3 when the print file (type 20) could not be cut.
int UT_DR_OPROT(const char *cZeile);
// Drops the oldest fifth of the lines counted in *puZeile from the front of a text file (lines read with at
// most iMaxLen characters, *puZeile decremented per line): 0; -1 file not openable; -3 copy failed.
int UT_FI_CUT(const char *cName, std::uint32_t *puZeile, int iMaxLen);
// Room on the disk for another log or protocol line (more than 10 MiB, or 10 KiB on a disk of 10 MiB at most).
bool UT_DISK_PLATZ();
// Disk so full that a log or queue drops its oldest fifth; fnFrei gives the free bytes (UT_DISKFREE or a
// figure the caller took before).
bool UT_DISK_KNAPP(std::uint32_t (*fnFrei)());

// Time jumps (test switch -Z) and clock setting through the time-synchronisation process.
int UT_Z_JUMP();
int UT_SET_RTC(std::uint32_t ulDT);

// ---- Output files written whole at the end ---------------------------------------------------------------
// Before a run's work: whether a file can be made under the name cName (a file cName + ".tmp" is made and
// removed; cName itself is not touched).
bool UT_DATEI_PROBE(const char *cName);
// uLen bytes of cText as the whole of file cName, written to cName + ".tmp" and renamed, so that no half file
// is ever left under the name: false (the temporary removed) when that failed.
bool UT_DATEI_ERSETZEN(const char *cName, const char *cText, std::size_t uLen);

// ---- Attribute text catalogue ------------------------------------------------------------------------------
// Text of state (mask: 0 = state 0, 0xFF = 255, else 1 + lowest set bit) of an attribute code from
// "cfg/dp_atb.txt"; never null, points into a static buffer the caller may change, valid until the next call.
char *UT_DP_ATBTEXT(unsigned char ucKode, unsigned char ucMaske);

// ---- CSV splitting -----------------------------------------------------------------------------------------
// Splits cText in place at cSep into at most iMax fields and points cFeld[0..iMax-1] at them (unused
// entries at an empty text). Returns the number of fields found, at most iMax.
int UT_CSV_SCAN(char *cText, char cSep, int iMax, char *cFeld[]);

// ---- Loader's code page (CP850) --------------------------------------------------------------------------
// Unicode characters of the code-page bytes 0x80 to 0xFF; 0x00 to 0x7F are ASCII.
inline constexpr std::uint16_t usUT_CP850_UCS[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

// The code-page byte of a Unicode character (ASCII stays itself); '?' where the code page has none.
unsigned char UT_CP850_ZEICHEN(std::uint32_t uCode);
// UTF-8 text, converted in place when it is valid UTF-8 as a whole: its new length. Otherwise the text is
// left as it is (code-page bytes of an older writer) and the result is -1.
int UT_CP850_VON_UTF8(char *cText);
// ISO 8859-1 text, converted in place; its length.
int UT_CP850_VON_LATIN1(char *cText);
// iLen bytes of big-endian UCS-2 (iBreite 2, surrogate pairs taken as one character) or UCS-4 (iBreite 4)
// into cOut (uSize > 0), ending at a zero character, an incomplete last unit or the end of cOut; its length.
int UT_CP850_VON_UCS(const unsigned char *ucIn, int iLen, int iBreite, char *cOut, std::size_t uSize);
// uLen code-page bytes as UTF-8 into cOut (uSize > 0, terminated), up to the last character that fits whole;
// its length. Every byte is a character, so the result is always valid UTF-8 (three bytes at most each).
int UT_CP850_NACH_UTF8(const char *cIn, std::size_t uLen, char *cOut, std::size_t uSize);
// A moment (seconds of the wall clock) as ISO 8601 in local time with its UTC offset, 2026-12-09T14:05:00+01:00,
// into cOut of uSize bytes (UT_ISO_ZEIT_LEN suffice): its length.
constexpr std::size_t UT_ISO_ZEIT_LEN = 40;
int UT_ISO_ZEIT(long long llSek, char *cOut, std::size_t uSize);

// ---- UTF-8 ------------------------------------------------------------------------------------------------
constexpr std::uint32_t UT_UNICODE_MAX = 0x10FFFF, UT_ERSATZZEICHEN = 0xFFFD;
constexpr std::uint32_t UT_SURROGAT_ERST = 0xD800, UT_SURROGAT_LETZT = 0xDFFF;
// Length of the valid UTF-8 sequence at p (at most n bytes there) and its character in *uCode; 0 when the
// bytes there are no valid sequence (stray continuation byte, overlong form, surrogate, beyond U+10FFFF or
// cut short).
int UT_UTF8_FOLGE(const unsigned char *p, std::size_t n, std::uint32_t *uCode);
// uCode as UTF-8 into cOut (room for 4 bytes): its length. A surrogate or a number beyond Unicode becomes
// U+FFFD, so the result is always valid UTF-8.
int UT_UTF8_ZEICHEN(std::uint32_t uCode, char *cOut);
