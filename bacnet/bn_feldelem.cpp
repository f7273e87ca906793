// Finds one element of an array read whole: the value tags are the array's elements in order, a constructed
// element counting once with everything between its own opening and closing tag.
#include "bacnet/bn.h"

int QX04_BN_FELDELEM(const unsigned char *ucAnf, int iLen, int iNr) {
    if (ucAnf == nullptr || iNr < 1) return -1;
    const unsigned char *ucEnd = ucAnf + iLen;
    int p = 0, iTiefe = 0;
    while (p < iLen) {
        const int t = QX04_BN_TAGNUM(ucAnf + p);
        if (iTiefe == 0 && t != QX04_TAG_CLOSE && --iNr == 0) return p;
        if (t == QX04_TAG_OPEN) iTiefe++;
        if (t == QX04_TAG_CLOSE) iTiefe--;
        const int l = QX04_BN_TAGLEN(ucAnf + p, ucEnd);
        if (l == 0) return -1;
        p += l;
    }
    return -1;
}
