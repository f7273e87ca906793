// The client's Abort of a request's transaction, with its reason.
#include "bacnet/bn.h"

int QX04_BN_ABBRUCH(const unsigned char *ucAnfrage, unsigned char ucGrund, unsigned char *ucBuf) {
    const int a = QX04_BN_POSAPDU(ucAnfrage);
    if (a <= 0) return 0;
    const unsigned char ucApdu[3] = {static_cast<unsigned char>(QX04_PDU_ABORT << 4), ucAnfrage[a + 2],
                                     ucGrund};
    return QX04_BN_AN_KNOTEN(ucAnfrage, ucApdu, sizeof ucApdu, ucBuf);
}
