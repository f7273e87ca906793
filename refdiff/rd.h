// The refdiff program: what changed between two ZDB reference files, data point by data point.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// ---- The reference-file line ------------------------------------------------------------------------------
// Both writers share the header frame and the data-line prefix "%05u %-16s %1u 0 15 15 15 0 0 000 %03lu ";
// the scanner then writes "%-23s" text, ten blanks, "%-26s" address and, for a set polarity flag, " 00001";
// the converter "%-32s" text, a blank and the address unpadded. A six-digit number or a longer id shifts what
// follows, so a line is read by its constant text, not by fixed columns.
// The longest line either writer can make: the converter's 512-byte line buffer, its terminator not counted
// (the scanner's buffer holds 256). A longer line is no line of a reference file.
inline constexpr std::size_t uRD_ZEILE_MAX = 511;
// The largest file taken: about two million data lines, twenty times the largest site seen, so that an
// endless stream or a wrong file ends with a message, not with the machine's memory.
inline constexpr std::size_t uRD_DATEI_MAX = std::size_t{256} << 20;
inline constexpr std::size_t uRD_NR_MIN = 5;        // digits of the number column at least ("%05u")
inline constexpr std::size_t uRD_ZAHL_MAX = 10;     // digits of any number field: an unsigned 32-bit value
inline constexpr std::size_t uRD_ID_BREITE = 16;    // the id column ("%-16s")
inline constexpr std::size_t uRD_ATB_MIN = 3;       // digits of the attribute code at least ("%03lu")
inline constexpr std::size_t uRD_TEXT_NETSCN = 23;  // the scanner's text column
inline constexpr std::size_t uRD_TEXT_TABCONV = 32; // the converter's text column
inline constexpr std::size_t uRD_LUECKE = 10;       // the scanner's blanks between text and address
inline constexpr std::size_t uRD_PROP_STELLEN = 5;  // digits of the property in a BACnet address ("00085")
inline constexpr char cRD_KONSTANT[] = " 0 15 15 15 0 0 000 "; // between type and attribute code
inline constexpr char cRD_POLAR[] = "00001";                   // the scanner's polarity suffix

inline bool RD_ZIFFER(char c) {
    return c >= '0' && c <= '9';
}
// The view without its trailing blanks.
inline std::string_view RD_OHNE_BLANKS(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// Kind of a file, from its header line.
inline constexpr int iRD_NETSCN = 1;
inline constexpr int iRD_TABCONV = 2;

// One data line. Every view points into the file's content; texts are its bytes as they stand (the loader's
// code page), trailing blanks cut.
struct RD_PUNKT_Struct {
    std::string_view sZeile;   // the whole line, without its line end
    unsigned long ulZeile = 0; // line in the file, the header line being 1
    std::string_view sNr;      // number column
    std::string_view sId;      // data-point id (may hold blanks)
    std::string_view sTyp;     // data-point type
    std::string_view sAtb;     // attribute code, as written ("017")
    std::string_view sText;    // text (may hold blanks, may be empty)
    std::string_view sAdr;     // address (the scanner's BACnet address, the converter's address text)
    std::string_view sPolar;   // "1" with the scanner's polarity suffix, else "0"; "" in a converter file
    std::string_view sKey;     // sAdr or sId, as the comparison is keyed
};

// Line-reader results besides 0.
inline constexpr int iRD_E_NR = -1;     // no number column
inline constexpr int iRD_E_KONST = -2;  // no constant text after id and type
inline constexpr int iRD_E_ATB = -3;    // no attribute code followed by a blank
inline constexpr int iRD_E_ADR = -4;    // no BACnet address where the scanner writes it
inline constexpr int iRD_E_SPALTE = -5; // the text runs into the address
inline constexpr int iRD_E_KURZ = -6;   // the line ends before its address column: cut
inline constexpr int iRD_E_REST = -7;   // after the scanner's address more than its polarity suffix
inline constexpr int iRD_E_NUL = -8;    // a zero byte, which neither writer writes: binary data
// Reads one data line of a file of kind iArt into *stPunkt (views into sZeile); 0 or one of the above.
int RD_ZEILE(std::string_view sZeile, int iArt, RD_PUNKT_Struct *stPunkt);
// Kind of a file from its first line: iRD_NETSCN, iRD_TABCONV, or -1 when it is no header line.
int RD_KOPF(std::string_view sZeile);

// One file as read.
struct RD_DATEI_Struct {
    const char *cName = nullptr;
    int iArt = 0;                        // iRD_NETSCN or iRD_TABCONV
    std::string sInhalt;                 // the whole file; the views point into it
    std::string_view sKopf;              // header line
    std::vector<RD_PUNKT_Struct> vPunkt; // data lines in file order
};
// Reads the file stDatei->cName whole and every line of it, each line checked as it arrives, so that a wrong
// file is refused after one line too many, not after all of it. 0, or after a console message that names
// the file and the line: -1 not readable, -2 no header line, -3 a line that is no data line, -4 a line
// longer than uRD_ZEILE_MAX, -5 a file larger than uRD_DATEI_MAX.
int RD_LESEN(RD_DATEI_Struct *stDatei);

// ---- Comparison -------------------------------------------------------------------------------------------
// Fields of a data point that are compared, as bits of a change mask, with the names they are shown by.
inline constexpr unsigned uRD_F_ID = 1, uRD_F_TYP = 2, uRD_F_ATB = 4, uRD_F_TEXT = 8, uRD_F_ADR = 16,
                          uRD_F_POLAR = 32;
struct RD_FELD_Struct {
    unsigned uBit;
    const char *cName; // in the program's German, UTF-8
    const char *cJson; // JSON member
    std::string_view RD_PUNKT_Struct::*pWert;
    bool bText; // shown in quotes: may hold blanks
};
extern const RD_FELD_Struct stRD_Feld[6];

// A difference: '+' only in NEW, '-' only in OLD, '~' fields changed (uFelder).
inline constexpr std::size_t uRD_KEINER = static_cast<std::size_t>(-1); // no point on that side
struct RD_DIFF_Struct {
    char cArt;
    std::size_t uAlt, uNeu; // index into the points of OLD and NEW, or uRD_KEINER
    unsigned uFelder;
};
// A key seen again in one file: the point at uZweit after the one at uErst.
struct RD_DOPP_Struct {
    int iDatei; // 0 OLD, 1 NEW
    std::size_t uErst, uZweit;
};
struct RD_ERG_Struct {
    std::vector<RD_DIFF_Struct> vDiff; // NEW order, then the removed points in OLD order
    std::vector<RD_DOPP_Struct> vDopp;
    unsigned long ulNeu = 0, ulWeg = 0, ulGeaendert = 0, ulUmnum = 0, ulGleich = 0;
};

// Changed fields between a point of OLD and one of NEW with the same key: a mask of uRD_F_... bits.
unsigned RD_FELDER(const RD_PUNKT_Struct &stAlt, const RD_PUNKT_Struct &stNeu);
// Pairs the points of both files by key (hash, file order among equal keys) into stRD_Erg.
void RD_VERGLEICH();

// ---- Program ----------------------------------------------------------------------------------------------
inline constexpr int iRD_GLEICH = 0;      // exit status: no difference
inline constexpr int iRD_VERSCHIEDEN = 1; // differences
inline constexpr int iRD_AERGER = 2;      // trouble
inline constexpr int iRD_KEY_ADR = 0;     // -k adresse (default)
inline constexpr int iRD_KEY_ID = 1;      // -k id

extern int iRD_Key;                   // iRD_KEY_ADR or iRD_KEY_ID
extern int iRD_Json;                  // 1: report as JSON (-J)
extern int iRD_Utf8;                  // 1: the terminal takes UTF-8 (from the locale)
extern RD_DATEI_Struct stRD_Datei[2]; // OLD and NEW
extern RD_ERG_Struct stRD_Erg;

// --help or --version anywhere: prints the usage or "refdiff <cVersion>" and gives the exit status; -1 else.
int RD_HILFE(int argc, char **argv, const char *cVersion);
// Options and the two file names: 0, or -1 after a console message with the usage.
int RD_INIT(int argc, char **argv);
// Sets iRD_Utf8 from the character set of the user's locale (LANG, LC_CTYPE, LC_ALL).
void RD_ZEICHENSATZ();
// Bytes of a reference file (the loader's code page 850) as the terminal shows them: in UTF-8 where the
// locale is UTF-8, else as they stand; a control character as '?' either way, so that no file can steer the
// terminal. The text lives in a static buffer until the next call; at most uRD_ZEILE_MAX bytes are taken.
std::string_view RD_ANZEIGE(std::string_view s);
// A console message holds a line's key (three UTF-8 bytes a character at most) and the words around it.
inline constexpr std::size_t uRD_MELDUNG_MAX = 3 * uRD_ZEILE_MAX + 128;
// Console message "refdiff: FILE, Zeile N: TEXT" (ulZeile 0: no line); trouble (iErr < 0) also goes to the
// error log.
void RD_MELDUNG(const char *cRoutine, int iErr, const char *cDatei, unsigned long ulZeile, const char *cText);
// The differences on standard output, as text lines and the summary, or as JSON: 0, or -1 when standard
// output could not take them.
int RD_TEXT();
int RD_JSON();
