// Finds one element of an array read whole in a ReadPropertyMultiple-ACK, within the value list of its
// result, which the decoder checked up to its closing tag.
#include "bacnet/bn.h"

int QX04_BN_RPMELEM(const unsigned char *ucFrame, const QX04_BN_RPMERG *pErg, int iNr) {
    if (pErg->iWert <= 0) return 0;
    const int p = QX04_BN_FELDELEM(ucFrame + pErg->iWert, pErg->iEnde - pErg->iWert, iNr);
    return p < 0 ? 0 : pErg->iWert + p;
}
