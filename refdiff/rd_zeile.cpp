// Reads one data line of a reference file into its fields. The constant text between type and attribute code
// is the anchor, not the column: a six-digit number or an id longer than its column shifts what follows.
#include "refdiff/rd.h"

static constexpr std::size_t uKONST = sizeof cRD_KONSTANT - 1;

// Count of the digits from p on, 0 when there are none or more than any number field holds.
static std::size_t ZIFFERN(std::string_view s, std::size_t p) {
    std::size_t n = 0;
    while (p + n < s.size() && RD_ZIFFER(s[p + n]))
        n++;
    return n <= uRD_ZAHL_MAX ? n : 0;
}

// Start of the word that ends at e (no blank in it).
static std::size_t WORTANFANG(std::string_view s, std::size_t e) {
    while (e > 0 && s[e - 1] != ' ')
        e--;
    return e;
}

// The scanner's columns from 49 on: text, blanks, the address (never with a blank) and the polarity suffix.
static int NETSCN_REST(std::string_view sRest, RD_PUNKT_Struct *st) {
    std::size_t uEnde = RD_OHNE_BLANKS(sRest).size();
    std::size_t uWort = WORTANFANG(sRest, uEnde);
    st->sPolar = "0";
    const std::size_t uVor = RD_OHNE_BLANKS(sRest.substr(0, uWort)).size();
    if (sRest.substr(uWort, uEnde - uWort) == cRD_POLAR && uVor > 0) {
        st->sPolar = "1";
        uEnde = uVor;
        uWort = WORTANFANG(sRest, uEnde);
    }
    if (uWort == uEnde) return iRD_E_ADR;
    st->sAdr = sRest.substr(uWort, uEnde - uWort);
    st->sText = RD_OHNE_BLANKS(sRest.substr(0, uWort));
    return 0;
}

// The converter's columns from 49 on: text in its column (it may hold blanks, as may the address), a blank,
// the address unpadded to the end.
static int TABCONV_REST(std::string_view sRest, RD_PUNKT_Struct *st) {
    st->sText = RD_OHNE_BLANKS(sRest.substr(0, uRD_TEXT_TABCONV));
    if (sRest.size() > uRD_TEXT_TABCONV && sRest[uRD_TEXT_TABCONV] != ' ') return iRD_E_SPALTE;
    st->sAdr = sRest.size() > uRD_TEXT_TABCONV ? RD_OHNE_BLANKS(sRest.substr(uRD_TEXT_TABCONV + 1)) : "";
    st->sPolar = {};
    return 0;
}

int RD_ZEILE(std::string_view s, int iArt, RD_PUNKT_Struct *st) {
    const std::size_t uNr = ZIFFERN(s, 0);
    if (uNr < uRD_NR_MIN || uNr >= s.size() || s[uNr] != ' ') return iRD_E_NR;
    // The id column, then a blank and at least one type digit before the constant text.
    const std::size_t uId = uNr + 1, uTypMin = uId + uRD_ID_BREITE + 1;
    std::size_t uKonst = s.find(cRD_KONSTANT, uTypMin + 1), uTyp = 0;
    for (; uKonst != std::string_view::npos; uKonst = s.find(cRD_KONSTANT, uKonst + 1)) {
        for (uTyp = uKonst; uTyp > uTypMin && RD_ZIFFER(s[uTyp - 1]);)
            uTyp--;
        if (uTyp < uKonst && uKonst - uTyp <= uRD_ZAHL_MAX && s[uTyp - 1] == ' ') break;
    }
    if (uKonst == std::string_view::npos) return iRD_E_KONST;
    const std::size_t uAtb = uKonst + uKONST, nAtb = ZIFFERN(s, uAtb);
    if (nAtb < uRD_ATB_MIN || uAtb + nAtb >= s.size() || s[uAtb + nAtb] != ' ') return iRD_E_ATB;

    st->sZeile = s;
    st->sNr = s.substr(0, uNr);
    st->sId = RD_OHNE_BLANKS(s.substr(uId, uTyp - 1 - uId));
    st->sTyp = s.substr(uTyp, uKonst - uTyp);
    st->sAtb = s.substr(uAtb, nAtb);
    const std::string_view sRest = s.substr(uAtb + nAtb + 1);
    return iArt == iRD_TABCONV ? TABCONV_REST(sRest, st) : NETSCN_REST(sRest, st);
}
