// Converts the CSV records into lines of tabconv.ref: the header from the first valid record, then one data
// line per record; stops at the first faulty record.
#include <climits>
#include <cstdlib>
#include <cstring>
#include "converter/tk.h"
#include "runtime/ut/ut.h"

// A number field as formatted input reads it: leading blanks and a sign are taken, anything after the
// digits is ignored; no digit at all is a failure. Unsigned fields wrap like "%u" (-1 is 4294967295).
static bool ZAHL_U(const char *cFeld, unsigned *uWert) {
    char *pEnde;
    unsigned long ul = std::strtoul(cFeld, &pEnde, 10);
    if (pEnde == cFeld) return false;
    *uWert = static_cast<unsigned>(ul);
    return true;
}

// Signed fields are held to the int range, so a huge driver id cannot wrap into a valid one.
static bool ZAHL_I(const char *cFeld, int *iWert) {
    char *pEnde;
    long l = std::strtol(cFeld, &pEnde, 10);
    if (pEnde == cFeld) return false;
    *iWert = l > INT_MAX ? INT_MAX : l < INT_MIN ? INT_MIN : static_cast<int>(l);
    return true;
}

// Length of a line composed of n bytes and an appended snprintf result m, kept within cTK_REF_Buf.
static int LAENGE(int n, int m) {
    const int iMax = static_cast<int>(sizeof cTK_REF_Buf) - 1;
    if (m < 0) m = 0;
    return n + m > iMax ? iMax : n + m;
}

// The header line: the common frame from the loop time, then driver id, object and GAK identifier.
static int KOPF(char *cFeld[]) {
    UT_NORM_STRING(cFeld[7]);
    UT_NORM_STRING(cFeld[8]);
    std::snprintf(cTK_Obj_Kenn, sizeof cTK_Obj_Kenn, "%.4s", cFeld[7]);
    std::snprintf(cTK_GAK_Kenn, sizeof cTK_GAK_Kenn, "%.10s", cFeld[8]);
    int n = UT_ZDB_HEAD(cTK_REF_Buf, sizeof cTK_REF_Buf, "CSV nach ZDB (TABCNV)");
    int m = std::snprintf(cTK_REF_Buf + n, sizeof cTK_REF_Buf - n,
                          "   Treiber-Id.: %d (QX%02X)   Obj.: %s   GAK: %s\n", iTK_TrbId,
                          static_cast<unsigned>(iTK_TrbId), cTK_Obj_Kenn, cTK_GAK_Kenn);
    return TK_REF_WRITE(cTK_REF_Buf, LAENGE(n, m), true);
}

// One data line: the common columns 1-48, then the text in 32 columns and the address text.
static int ZEILE(char *cFeld[], unsigned uNr, unsigned uTyp, unsigned uAtb) {
    UT_NORM_STRING(cFeld[1]);
    UT_NORM_STRING(cFeld[4]);
    UT_NORM_STRING(cFeld[5]);
    if (std::strlen(cFeld[4]) > 32) cFeld[4][32] = '\0';
    int n = UT_ZDB_PREFIX(cTK_REF_Buf, sizeof cTK_REF_Buf, uNr, cFeld[1], uTyp, uAtb);
    int m = std::snprintf(cTK_REF_Buf + n, sizeof cTK_REF_Buf - n, "%-32s %-s\n", cFeld[4], cFeld[5]);
    int iLen = LAENGE(n, m);
    int iier = TK_REF_WRITE(cTK_REF_Buf, iLen, false);
    if (TEST_T_O || TEST_T_O1) {
        UT_TRC("\n\n", "TK_LOOP", "Nach FWRITE-REF   L\x84nge: %d   iier: %d", iLen, iier);
        UT_TRC_CONT("\n    >%s<", cTK_REF_Buf);
        std::fflush(TEST_T_fpout);
    }
    return iier;
}

int TK_DP_LOOP() {
    if (UT_TRC_IN()) UT_TRC("\n\n", "TK_DP_LOOP", "Nach Aufruf");
    int ier = 0;
    char *cFeld[9];
    // 254 characters at most: a longer line is taken as two records.
    while (ier == 0 && TK_CSV_ZEILE(false)) {
        UT_NORM_STRING(cTK_CSV_Buf);
        if (UT_CSV_SCAN(cTK_CSV_Buf, ';', 9, cFeld) < 9) {
            ier = -21;
            break;
        }
        // Before anything is cut, so that cuts count characters of the code page.
        if (iTK_Umsetzen)
            for (char *c : cFeld)
                UT_CP850_VON_UTF8(c); // a field that is not UTF-8 stays as it is
        unsigned uNr = 0, uTyp = 0, uAtb = 0;
        int iTrb = 0;
        bool bOk = ZAHL_U(cFeld[0], &uNr) && ZAHL_U(cFeld[2], &uTyp) && ZAHL_U(cFeld[3], &uAtb) &&
                   ZAHL_I(cFeld[6], &iTrb);
        // -1 means no header yet, so a record with driver id -1 is followed by another header.
        if (bOk && iTK_TrbId == -1) {
            iTK_TrbId = iTrb;
            ier = KOPF(cFeld);
        }
        if (ier == 0 && !bOk) ier = -22;
        if (ier == 0) ier = ZEILE(cFeld, uNr, uTyp, uAtb);
    }
    // Lines still held count before whatever stopped the loop: their failure is the earlier one.
    if (TK_REF_FLUSH() != 0) ier = -23;
    if (ier < 0) std::printf("\n\n***  WRITE-Fehler auf ZDB-Referenz-Datei TABCONV.REF  ***");
    if (UT_TRC_OUT()) UT_TRC("\n", "TK_DP_LOOP", "Vor  RETURN    ier : %d \n", ier);
    return ier;
}
