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

// ---- Attribute text catalogue ------------------------------------------------------------------------------
// Text of state (mask: 0 = state 0, 0xFF = 255, else 1 + lowest set bit) of an attribute code from
// "cfg/dp_atb.txt"; never null, points into a static buffer the caller may change, valid until the next call.
char *UT_DP_ATBTEXT(unsigned char ucKode, unsigned char ucMaske);

// ---- CSV splitting -----------------------------------------------------------------------------------------
