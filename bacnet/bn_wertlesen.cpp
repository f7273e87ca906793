// One value of an acknowledgement decoded once, within the bytes it may take: a number as the value decoders
// give it (QX04_BN_WERT), a character string whole with its set, so that the scan reads the received frame
// no second time.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

int QX04_BN_WERTLESEN(const unsigned char *ucAnf, const unsigned char *ucEnde, QX04_BN_WERT_Struct *w) {
    *w = QX04_BN_WERT_Struct{
        ucAnf,   ucAnf != nullptr && ucEnde > ucAnf ? static_cast<int>(ucEnde - ucAnf) : 0,
        -1,      ulUT_fUNDEF,
        nullptr, 0,
        0};
    if (w->iLen <= 0) return -1;
    const int n = QX04_BN_TAGLEN(ucAnf, ucEnde);
    if (n == 0) return -1; // a value tag cut off by the end (or of invalid length) carries no value
    const int t = QX04_BN_TAGNUM(ucAnf);
    if (t == QX04_TAG_TEXT) {
        // The set byte opens the content; a tag without content is an empty text of no set.
        const int h = QX04_BN_TAGOFS(ucAnf, n);
        const bool bInhalt = h > 0 && n > h;
        w->ucText = bInhalt ? ucAnf + h + 1 : ucAnf + n;
        w->iTextLen = bInhalt ? n - h - 1 : 0;
        w->ucSatz = bInhalt ? ucAnf[h] : 0;
        return t;
    }
    const std::uint32_t v = QX04_BN_TAG2L(ucAnf, -1, ucEnde);
    float fWert = 0;
    switch (t) {
    case 1:
    case 2:
    case 8:
    case 9:
        fWert = (float)v;
        break;
    case 3:
        fWert = (float)(std::int32_t)v;
        break;
    case 4:
    case 12:
        w->iTag = t;
        w->ulWert = v; // already a float, or the identifier's bits
        return t;
    default:
        return -1;
    }
    w->iTag = t;
    std::memcpy(&w->ulWert, &fWert, sizeof w->ulWert);
    return t;
}
