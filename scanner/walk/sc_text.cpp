// A device text as the reference file needs it: in the loader's code page, one byte per character, before it
// is cut, shaped or matched. Texts that cannot pass byte for byte (UCS-2, UCS-4) are always converted.
#include <cstdio>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/walk/sc_scan.h"

static char cSC_Text[256];

const char *SC_TEXT(const SC_WERT_Struct *stWert, std::uint16_t usPropId) {
    const char *c = stWert->iQuelle == SC_Q_POS  ? QX04_BN_CHAR(stWert->ucFrame, stWert->iPos)
                    : stWert->iQuelle == SC_Q_RP ? QX04_BN_GETCHAR(stWert->ucFrame, usPropId)
                                                 : nullptr; // nothing read ahead is a text
    if (c == nullptr) return nullptr;
    const int iLen = iQX04_ZeichLen < 0 ? 0 : iQX04_ZeichLen < 256 ? iQX04_ZeichLen : 255;
    const unsigned char *uc = reinterpret_cast<const unsigned char *>(c);
    switch (ucQX04_ZeichSatz) {
    case QX04_SATZ_UCS2:
        UT_CP850_VON_UCS(uc, iLen, 2, cSC_Text, sizeof cSC_Text);
        return cSC_Text;
    case QX04_SATZ_UCS4:
        UT_CP850_VON_UCS(uc, iLen, 4, cSC_Text, sizeof cSC_Text);
        return cSC_Text;
    case QX04_SATZ_UTF8:
    case QX04_SATZ_LATIN1:
        if (iSC_Umsetzen == 0) return c;
        std::snprintf(cSC_Text, sizeof cSC_Text, "%s", c);
        if (ucQX04_ZeichSatz == QX04_SATZ_UTF8)
            UT_CP850_VON_UTF8(cSC_Text); // not UTF-8: code-page bytes of an older device, left as they are
        else
            UT_CP850_VON_LATIN1(cSC_Text);
        return cSC_Text;
    default: // the double-byte sets and unknown ones pass byte for byte, as they always did
        return c;
    }
}
