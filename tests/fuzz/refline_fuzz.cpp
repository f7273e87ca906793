// libFuzzer target for the reference-file line reader. Each input is a switch byte (bit 0: converter file,
// bit 1: keyed by id) and text. The text up to its first line feed is one data line for RD_ZEILE: a line it
// takes has its fields in order inside it, free of trailing blanks; cut anywhere before its address it is
// refused; and where its writer can write those fields (the scanner's SC_REF_TEXT, the converter's record
// loop on a CSV record), the written line is read again the same. The whole text is then a file for
// RD_LESEN, twice, and compared with itself: read whole or refused with the line named, one point per data
// line, and no difference.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>
#include "converter/tk.h"
#include "fuzz/fz.h"
#include "refdiff/rd.h"
#include "runtime/ut/ut.h"
#include "scanner/reffile/sc_ref.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FZ_TEMP_DIR();
    UT_CLOCK_SET(FZ_UHR);
    return 0;
}

static bool INNEN(std::string_view sTeil, std::string_view s) {
    return sTeil.data() >= s.data() && sTeil.data() + sTeil.size() <= s.data() + s.size();
}

// A number field as a writer gives it back: plain digits, zero-padded to uBreite.
static bool ZAHL(std::string_view s, std::size_t uBreite, unsigned *u) {
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), *u);
    const std::string sAus = std::to_string(*u);
    return ec == std::errc() && p == s.data() + s.size() &&
           s == std::string(uBreite > sAus.size() ? uBreite - sAus.size() : 0, '0') + sAus;
}

// The line the scanner writes for these fields, or "" where its record cannot hold them.
static std::string SCAN_ZEILE(const RD_PUNKT_Struct &st) {
    SC_OBJ_Struct o;
    SC_OBJ_NEU(&o, 0);
    unsigned uNr, uAtb;
    if (!ZAHL(st.sNr, uRD_NR_MIN, &uNr) || !ZAHL(st.sTyp, 1, &o.uDP_Type) ||
        !ZAHL(st.sAtb, uRD_ATB_MIN, &uAtb) || o.uDP_Type < 1 || o.uDP_Type > 4 ||
        (o.uDP_Type <= 2 ? uAtb >= SC_KEIN_OVR : st.sPolar == "1") || st.sId.size() >= sizeof o.cDpId ||
        st.sAdr.size() >= sizeof o.cBnAdr)
        return "";
    std::snprintf(o.cDpId, sizeof o.cDpId, "%.*s", static_cast<int>(st.sId.size()), st.sId.data());
    std::snprintf(o.cText, sizeof o.cText, "%.*s", static_cast<int>(st.sText.size()), st.sText.data());
    std::snprintf(o.cBnAdr, sizeof o.cBnAdr, "%.*s", static_cast<int>(st.sAdr.size()), st.sAdr.data());
    o.uAtb = uAtb; // analog; a two-state or multi-state point without state texts takes the override
    if (o.uDP_Type <= 2) o.ucAtbOvr = static_cast<unsigned char>(uAtb);
    o.uPolar = st.sPolar == "1";
    const int n = SC_REF_TEXT(&o, uNr);
    return n > 0 ? std::string(cSC_REF_Buf, static_cast<std::size_t>(n) - 1) : "";
}

// The line the converter writes for a CSV record of these fields, or "" where a record cannot carry them.
static std::string PLAN_ZEILE(const RD_PUNKT_Struct &st) {
    unsigned uNr, uTyp, uAtb;
    const std::string sSatz = std::string(st.sNr) + ';' + std::string(st.sId) + ';' + std::string(st.sTyp) +
                              ';' + std::string(st.sAtb) + ';' + std::string(st.sText) + ';' +
                              std::string(st.sAdr) + ";4;HZ01;KESSELHAUS";
    if (!ZAHL(st.sNr, uRD_NR_MIN, &uNr) || !ZAHL(st.sTyp, 1, &uTyp) || !ZAHL(st.sAtb, uRD_ATB_MIN, &uAtb) ||
        std::count(sSatz.begin(), sSatz.end(), ';') != 8 || sSatz.size() >= 254) // one record of one piece
        return "";
    std::string sCsv = sSatz + "\n";
    fpTK_CSV = fmemopen(sCsv.data(), sCsv.size(), "r");
    fpTK_REF = std::fopen("/dev/null", "wb");
    FZ_CHECK(fpTK_CSV != nullptr && fpTK_REF != nullptr);
    iTK_TrbId = -1;
    FZ_CHECK(TK_DP_LOOP() == 0);
    std::fclose(fpTK_CSV);
    std::fclose(fpTK_REF);
    std::string sZeile = cTK_REF_Buf; // the record's line as written, after the header line
    FZ_CHECK(!sZeile.empty() && sZeile.back() == '\n');
    sZeile.pop_back();
    return sZeile;
}

static void ZEILE(std::string_view s, int iArt) {
    RD_PUNKT_Struct st;
    if (RD_ZEILE(s, iArt, &st) != 0) return;
    const std::string_view vFeld[] = {st.sNr, st.sId, st.sTyp, st.sAtb, st.sText, st.sAdr};
    for (std::size_t i = 0; i < std::size(vFeld); i++) {
        FZ_CHECK(INNEN(vFeld[i], s) || vFeld[i].empty());
        FZ_CHECK(vFeld[i] == RD_OHNE_BLANKS(vFeld[i]));
        FZ_CHECK(i == 0 || vFeld[i].empty() || vFeld[i - 1].empty() ||
                 vFeld[i].data() >= vFeld[i - 1].data());
    }
    FZ_CHECK(st.sNr.size() >= uRD_NR_MIN && st.sAtb.size() >= uRD_ATB_MIN && !st.sTyp.empty());
    FZ_CHECK(std::all_of(st.sTyp.begin(), st.sTyp.end(), RD_ZIFFER));
    // Where the address ends (scanner), or where the converter's address column begins: any cut before it is
    // a cut line, never a point.
    std::size_t uSchnitt = static_cast<std::size_t>(st.sText.data() - s.data()) + uRD_TEXT_TABCONV + 1;
    if (iArt == iRD_NETSCN) {
        FZ_CHECK(!st.sAdr.empty() && st.sAdr.find(' ') == std::string_view::npos && st.sPolar.size() == 1);
        FZ_CHECK(st.sText.size() <= uRD_TEXT_NETSCN);
        uSchnitt = static_cast<std::size_t>(st.sAdr.data() - s.data()) + st.sAdr.size();
    } else {
        FZ_CHECK(st.sPolar.empty() && st.sText.size() <= uRD_TEXT_TABCONV);
    }
    for (std::size_t n = 0; n < uSchnitt; n++) {
        RD_PUNKT_Struct stKurz;
        FZ_CHECK(RD_ZEILE(s.substr(0, n), iArt, &stKurz) != 0);
    }
    // Written again by its writer (which turns control characters into blanks or cuts them), the line gives
    // the same fields.
    if (std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; })) return;
    const std::string sNeu = iArt == iRD_NETSCN ? SCAN_ZEILE(st) : PLAN_ZEILE(st);
    if (sNeu.empty()) return;
    RD_PUNKT_Struct st2;
    FZ_CHECK(RD_ZEILE(sNeu, iArt, &st2) == 0);
    FZ_CHECK(st2.sNr == st.sNr && st2.sId == st.sId && st2.sTyp == st.sTyp && st2.sAtb == st.sAtb &&
             st2.sText == st.sText && st2.sAdr == st.sAdr && st2.sPolar == st.sPolar);
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *ucData, std::size_t uSize) {
    if (uSize < 1) return 0;
    const std::string_view s(reinterpret_cast<const char *>(ucData + 1), uSize - 1);
    ZEILE(s.substr(0, s.find('\n')), ucData[0] & 1 ? iRD_TABCONV : iRD_NETSCN);

    FZ_FILE("f.ref", ucData + 1, uSize - 1);
    iRD_Key = ucData[0] & 2 ? iRD_KEY_ID : iRD_KEY_ADR;
    stRD_Erg = RD_ERG_Struct{};
    for (RD_DATEI_Struct &st : stRD_Datei) {
        st = RD_DATEI_Struct{};
        st.cName = "f.ref";
        const int ier = RD_LESEN(&st);
        FZ_CHECK(ier == 0 || ier == -2 || ier == -3 || ier == -4);
        if (ier != 0) return 0;
    }
    const std::size_t uZeilen = std::count(s.begin(), s.end(), '\n') + (s.empty() || s.back() != '\n');
    const std::vector<RD_PUNKT_Struct> &v = stRD_Datei[0].vPunkt;
    FZ_CHECK(v.size() + 1 == uZeilen);
    for (std::size_t i = 0; i < v.size(); i++)
        FZ_CHECK(v[i].ulZeile == i + 2 && INNEN(v[i].sZeile, stRD_Datei[0].sInhalt));
    RD_VERGLEICH();
    FZ_CHECK(stRD_Erg.vDiff.empty() && stRD_Erg.ulGleich == v.size());
    return 0;
}
