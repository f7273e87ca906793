// libFuzzer target for the reference-file line reader. Each input is a switch byte (bit 0: converter file,
// bit 1: keyed by id) and text. The text up to its first line feed is one data line for RD_ZEILE: a line it
// takes has its fields in order inside it, free of trailing blanks, and is read again the same when written
// in the writer's format. The whole text is then a file for RD_LESEN, twice, and compared with itself: read
// whole or refused with the line named, one point per data line, and no difference.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "fuzz/fz.h"
#include "refdiff/rd.h"
#include "runtime/ut/ut.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FZ_TEMP_DIR();
    UT_CLOCK_SET(FZ_UHR);
    return 0;
}

static bool INNEN(std::string_view sTeil, std::string_view s) {
    return sTeil.data() >= s.data() && sTeil.data() + sTeil.size() <= s.data() + s.size();
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
    if (iArt == iRD_NETSCN)
        FZ_CHECK(!st.sAdr.empty() && st.sAdr.find(' ') == std::string_view::npos && st.sPolar.size() == 1);
    else
        FZ_CHECK(st.sPolar.empty() && st.sText.size() <= uRD_TEXT_TABCONV);
    // Written again in the writer's format (a zero byte would end a field there), the line gives the same
    // fields.
    if (s.find('\0') != std::string_view::npos) return;
    std::vector<char> c(s.size() + uRD_ZEILE_MAX);
    auto S = [](std::string_view v) { return std::string(v); };
    std::snprintf(c.data(), c.size(),
                  iArt == iRD_NETSCN ? "%s %-16s %s 0 15 15 15 0 0 000 %s %-23s          %-26s%s"
                                     : "%s %-16s %s 0 15 15 15 0 0 000 %s %-32s %s%s",
                  S(st.sNr).c_str(), S(st.sId).c_str(), S(st.sTyp).c_str(), S(st.sAtb).c_str(),
                  S(st.sText).c_str(), S(st.sAdr).c_str(), st.sPolar == "1" ? " 00001" : "");
    RD_PUNKT_Struct st2;
    FZ_CHECK(RD_ZEILE(c.data(), iArt, &st2) == 0);
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
