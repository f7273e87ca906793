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

// Whether s has the shape of the scanner's BACnet address "%07lu.%s#%07lu'00085": device instance, short
// name, object instance, property. Every prefix of one fails, so an address cut anywhere is found.
static bool ADRESSE(std::string_view s) {
    constexpr std::size_t uINSTANZ = 7; // "%07lu"
    std::size_t p = 0;
    auto ZIFFERN_AB = [&](std::size_t uMin) {
        const std::size_t uAnfang = p;
        while (p < s.size() && RD_ZIFFER(s[p]))
            p++;
        return p - uAnfang >= uMin;
    };
    auto ZEICHEN = [&](char c) { return p < s.size() && s[p++] == c; };
    if (!ZIFFERN_AB(uINSTANZ) || !ZEICHEN('.')) return false;
    const std::size_t uKurz = p;
    while (p < s.size() && s[p] >= 'A' && s[p] <= 'Z')
        p++;
    if (p == uKurz || !ZEICHEN('#') || !ZIFFERN_AB(uINSTANZ) || !ZEICHEN('\'')) return false;
    return s.size() - p == uRD_PROP_STELLEN && ZIFFERN_AB(uRD_PROP_STELLEN);
}

// The scanner's columns from 49 on: the text in its 23 columns, ten blanks (or more), the address (never with
// a blank), then, for a set polarity flag, the suffix after blanks.
static int NETSCN_REST(std::string_view sRest, RD_PUNKT_Struct *st) {
    constexpr std::size_t uADR = uRD_TEXT_NETSCN + uRD_LUECKE;
    if (RD_OHNE_BLANKS(sRest).size() <= uADR) return iRD_E_KURZ;
    if (RD_OHNE_BLANKS(sRest.substr(0, uADR)).size() > uRD_TEXT_NETSCN) return iRD_E_SPALTE;
    std::string_view sAb = sRest.substr(uADR);
    while (sAb.front() == ' ') // a blank more before the address, as a hand may leave it, is no fault
        sAb.remove_prefix(1);
    const std::string_view sAdr = sAb.substr(0, sAb.find(' '));
    if (!ADRESSE(sAdr)) return iRD_E_ADR;
    std::string_view sNach = RD_OHNE_BLANKS(sAb.substr(sAdr.size()));
    while (!sNach.empty() && sNach.front() == ' ')
        sNach.remove_prefix(1);
    if (!sNach.empty() && sNach != cRD_POLAR) return iRD_E_REST;
    st->sText = RD_OHNE_BLANKS(sRest.substr(0, uRD_TEXT_NETSCN));
    st->sAdr = sAdr;
    st->sPolar = sNach.empty() ? "0" : "1";
    return 0;
}

// The converter's columns from 49 on: text in its column (it may hold blanks, as may the address), a blank,
// the address unpadded to the end (it may be empty, the blank before it is always written).
static int TABCONV_REST(std::string_view sRest, RD_PUNKT_Struct *st) {
    if (sRest.size() <= uRD_TEXT_TABCONV) return iRD_E_KURZ;
    if (sRest[uRD_TEXT_TABCONV] != ' ') return iRD_E_SPALTE;
    st->sText = RD_OHNE_BLANKS(sRest.substr(0, uRD_TEXT_TABCONV));
    st->sAdr = RD_OHNE_BLANKS(sRest.substr(uRD_TEXT_TABCONV + 1));
    st->sPolar = {};
    return 0;
}

int RD_ZEILE(std::string_view s, int iArt, RD_PUNKT_Struct *st) {
    if (s.find('\0') != std::string_view::npos) return iRD_E_NUL;
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
