// Which fields of one data point changed from OLD to NEW; the key field is the same by the pairing.
#include "refdiff/rd.h"

// Texts of a scan and of a planned list are compared as far as the scanner's column reaches.
static std::string_view SPALTE(std::string_view s) {
    return RD_OHNE_BLANKS(s.substr(0, uRD_TEXT_NETSCN));
}

unsigned RD_FELDER(const RD_PUNKT_Struct &stAlt, const RD_PUNKT_Struct &stNeu) {
    const bool bEineArt = stRD_Datei[0].iArt == stRD_Datei[1].iArt;
    unsigned u = 0;
    if (iRD_Key != iRD_KEY_ID && stAlt.sId != stNeu.sId) u |= uRD_F_ID;
    if (stAlt.sTyp != stNeu.sTyp) u |= uRD_F_TYP;
    if (stAlt.sAtb != stNeu.sAtb) u |= uRD_F_ATB;
    if (bEineArt ? stAlt.sText != stNeu.sText : SPALTE(stAlt.sText) != SPALTE(stNeu.sText)) u |= uRD_F_TEXT;
    // A planned list's addresses are not BACnet addresses: compared only between files of one kind.
    if (iRD_Key == iRD_KEY_ID && bEineArt && stAlt.sAdr != stNeu.sAdr) u |= uRD_F_ADR;
    // Only the scanner writes the polarity flag.
    if (bEineArt && stAlt.sPolar != stNeu.sPolar) u |= uRD_F_POLAR;
    return u;
}
