// The character string at the value handed to a step, read whole from the received frame (the reference
// file's decoder keeps 255 bytes), and in UTF-8. Nothing at or after the frame's BVLC length is read.
#include <algorithm>
#include "bacnet/bn.h"
#include "scanner/ede/sc_ede.h"
#include "scanner/walk/sc_scan.h"

bool SC_EDE_TEXT(const SC_WERT_Struct *w, std::uint16_t usPropId, std::string *sText) {
    const int iPos = w->iQuelle == SC_Q_POS  ? w->iPos
                     : w->iQuelle == SC_Q_RP ? QX04_BN_POSWERT(QX04_RECV_Buf, usPropId)
                                             : 0; // nothing read ahead is a text
    const int iLen = std::min(static_cast<int>(QX04_BN_BVLCLEN(QX04_RECV_Buf)), QX04_BUF_SIZE);
    if (iPos <= 0 || iPos >= iLen) return false;
    const unsigned char *t = QX04_RECV_Buf + iPos;
    const int n = QX04_BN_TAGNUM(t) == QX04_TAG_TEXT ? QX04_BN_TAGLEN(t, QX04_RECV_Buf + iLen) : 0;
    if (n == 0) return false;
    const int h = QX04_BN_TAGOFS(t, n);
    // The set byte opens the content; a tag without content is an empty text.
    sText->clear();
    if (h > 0 && n > h) *sText = SC_EDE_UTF8(t + h + 1, static_cast<std::size_t>(n - h - 1), t[h]);
    return true;
}
