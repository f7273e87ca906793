// The character string at the value handed to a step, whole as the device sent it (the reference file's
// decoder keeps 255 bytes): its bytes after the set byte, their number and the set. Nothing at or after the
// frame's BVLC length is read.
#include <algorithm>
#include "bacnet/bn.h"
#include "scanner/walk/sc_scan.h"

bool SC_WERT_TEXT(const SC_WERT_Struct *w, std::uint16_t usPropId, const unsigned char **ucText,
                  std::uint32_t *ulLen, unsigned char *ucSatz) {
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
    const bool bInhalt = h > 0 && n > h;
    *ucText = bInhalt ? t + h + 1 : t;
    *ulLen = bInhalt ? static_cast<std::uint32_t>(n - h - 1) : 0;
    *ucSatz = bInhalt ? t[h] : 0;
    return true;
}
