// A device text as the reference file needs it: in the loader's code page, one byte per character, before it
// is cut, shaped or matched, and at most 255 bytes of it. Texts that cannot pass byte for byte (UCS-2, UCS-4)
// are always converted.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include "runtime/ut/ut.h"
#include "scanner/walk/sc_scan.h"

constexpr int SC_TEXT_MAX = 255; // bytes of a device text the reference file takes

const char *SC_TEXT(const SC_WERT_Struct *stWert) {
    static char cRoh[SC_TEXT_MAX + 1], cSC_Text[SC_TEXT_MAX + 1];
    const QX04_BN_WERT_Struct &w = stWert->stWert;
    if (w.ucText == nullptr) return nullptr;
    const int iLen = std::clamp(w.iTextLen, 0, SC_TEXT_MAX);
    if (iLen > 0) std::memcpy(cRoh, w.ucText, static_cast<std::size_t>(iLen));
    cRoh[iLen] = '\0';
    const unsigned char *uc = reinterpret_cast<const unsigned char *>(cRoh);
    switch (w.ucSatz) {
    case QX04_SATZ_UCS2:
        UT_CP850_VON_UCS(uc, iLen, 2, cSC_Text, sizeof cSC_Text);
        return cSC_Text;
    case QX04_SATZ_UCS4:
        UT_CP850_VON_UCS(uc, iLen, 4, cSC_Text, sizeof cSC_Text);
        return cSC_Text;
    case QX04_SATZ_UTF8:
    case QX04_SATZ_LATIN1:
        if (iSC_Umsetzen == 0) return cRoh;
        std::snprintf(cSC_Text, sizeof cSC_Text, "%s", cRoh);
        if (w.ucSatz == QX04_SATZ_UTF8)
            UT_CP850_VON_UTF8(cSC_Text); // not UTF-8: code-page bytes of an older device, left as they are
        else
            UT_CP850_VON_LATIN1(cSC_Text);
        return cSC_Text;
    default: // the double-byte sets and unknown ones pass byte for byte, as they always did
        return cRoh;
    }
}
