// The client's Segment-ACK for a segmented answer to a request: the last segment taken in order, the window
// the client takes, and with bNak that a segment is missing after it.
#include "bacnet/bn.h"

int QX04_BN_SEGACK(const unsigned char *ucAnfrage, bool bNak, unsigned char ucSeq, unsigned char ucFenster,
                   unsigned char *ucBuf) {
    const int a = QX04_BN_POSAPDU(ucAnfrage);
    if (a <= 0) return 0;
    const unsigned char ucApdu[4] = {
        static_cast<unsigned char>(QX04_PDU_SEGMENT_ACK << 4 | (bNak ? 0x02 : 0)), ucAnfrage[a + 2], ucSeq,
        ucFenster};
    return QX04_BN_AN_KNOTEN(ucAnfrage, ucApdu, sizeof ucApdu, ucBuf);
}
