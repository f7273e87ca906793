// Finds one element of an array read whole in a ReadPropertyMultiple-ACK: the values of the result are the
// array's elements in order, a constructed element counting once with everything between its own opening and
// closing tag.
#include "bacnet/bn.h"

int QX04_BN_RPMELEM(const unsigned char *ucFrame, const QX04_BN_RPMERG *pErg, int iNr) {
    if (pErg->iWert <= 0 || iNr < 1) return 0;
    const unsigned char *ucEnd = ucFrame + pErg->iEnde; // the value list was checked up to its closing tag
    int p = pErg->iWert, iTiefe = 0;
    while (p < pErg->iEnde) {
        const int t = QX04_BN_TAGNUM(ucFrame + p);
        if (iTiefe == 0 && t != QX04_TAG_CLOSE && --iNr == 0) return p;
        if (t == QX04_TAG_OPEN) iTiefe++;
        if (t == QX04_TAG_CLOSE) iTiefe--;
        const int l = QX04_BN_TAGLEN(ucFrame + p, ucEnd);
        if (l == 0) return 0;
        p += l;
    }
    return 0;
}
