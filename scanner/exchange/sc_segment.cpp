// One segment of a segmented answer, as the standard's requesting client takes it: the first (sequence
// number 0) opens the answer and is acknowledged at once with the window the scanner takes; each next one in
// order is added, and the last of a window, or of the answer, is acknowledged. A segment ahead of the next
// one means one was lost: the device is told once (a negative Segment-ACK naming the last one taken), and
// repeats from there. A duplicate is dropped; the repeated end of an acknowledged window is acknowledged
// again, in case that acknowledgement was lost. Anything else, a segment past what the scanner announced or
// past its buffer, ends the transaction with an Abort. Each segment's data is read within the frame's BVLC
// length, and the answer never grows past SC_SEG_PUFFER.
#include <algorithm>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch_intern.h"

static const char cRoutine[] = "SC_LOOP"; // the trace names the scan loop, whose step this is

static void SENDEN(const SC_TRANSAKTION_Struct *a, int iLen, const unsigned char *ucBuf) {
    if (iLen > 0) IP_SEND(iQX04_IP_APP, &a->stZiel, IP_CMD_DATA, IP_SCMD_SEND, iLen, ucBuf);
}

static void QUITTUNG(const SC_TRANSAKTION_Struct *a, bool bNak, unsigned char ucSeq) {
    static unsigned char ucBuf[QX04_BUF_SIZE];
    if (TEST_T_I || TEST_T_I1)
        UT_TRC("\n", cRoutine, "Segment-ACK%s   Invoke : %u   Segment : %u   Fenster : %u",
               bNak ? " (Luecke)" : "", a->ucInvoke, ucSeq, a->stSeg.ucFenster);
    SENDEN(a, QX04_BN_SEGACK(a->ucFrame, bNak, ucSeq, a->stSeg.ucFenster, ucBuf), ucBuf);
}

static int ABBRECHEN(SC_TRANSAKTION_Struct *a, unsigned char ucGrund) {
    static unsigned char ucBuf[QX04_BUF_SIZE];
    if (TEST_T_I || TEST_T_I1)
        UT_TRC("\n", cRoutine, "Segmente abgebrochen   Invoke : %u   Grund : %u", a->ucInvoke, ucGrund);
    SENDEN(a, QX04_BN_ABBRUCH(a->ucFrame, ucGrund, ucBuf), ucBuf);
    a->stSeg.bLauf = false;
    a->stSeg.vFrame.clear();
    return SC_MSG_ABBRUCH - ucGrund;
}

// The segment's data appended: false when the answer would grow past its bound or past the segments
// announced.
static bool NEHMEN(SC_SEG_Struct &g, const QX04_BN_SEGMENT *s) {
    const std::size_t n = static_cast<std::size_t>(s->iEnde - s->iDaten);
    if (g.iAnz >= QX04_MAXSEG_ANZ || g.vFrame.size() + n > static_cast<std::size_t>(SC_SEG_PUFFER))
        return false;
    g.vFrame.insert(g.vFrame.end(), QX04_RECV_Buf + s->iDaten, QX04_RECV_Buf + s->iEnde);
    g.ucLetzte = s->ucSeq;
    g.iAnz++;
    g.bLuecke = false;
    g.ulMs = UT_MSEK();
    return true;
}

// The answer is whole: its length into the BVLC header, as an unsegmented frame has it.
static int GANZ(SC_TRANSAKTION_Struct *a) {
    SC_SEG_Struct &g = a->stSeg;
    QUITTUNG(a, false, g.ucLetzte);
    QX04_BN_S2BNS(static_cast<std::uint16_t>(g.vFrame.size()), g.vFrame.data() + 2);
    g.bLauf = false;
    return SC_SEG_GANZ;
}

int SC_SEGMENT(SC_TRANSAKTION_Struct *a, const QX04_BN_SEGMENT *s) {
    SC_SEG_Struct &g = a->stSeg;
    if (!g.bLauf) {
        // Before the first segment nothing can be acknowledged: the device repeats its window from 0.
        if (s->ucSeq != 0) return SC_SEG_WEITER;
        if (s->ucFenster == 0 || s->ucFenster > 127) return ABBRECHEN(a, QX04_ABORT_FENSTER);
        g.bLauf = true;
        g.ucFenster = static_cast<unsigned char>(std::min<int>(s->ucFenster, SC_SEG_FENSTER));
        g.iAnz = 0;
        g.ucErste = 0;
        // The frame's own header, then the head of an unsegmented Complex-ACK: the decoders read it as one.
        g.vFrame.assign(QX04_RECV_Buf, QX04_RECV_Buf + s->iApdu);
        g.vFrame.insert(g.vFrame.end(),
                        {static_cast<unsigned char>(QX04_PDU_COMPLEX_ACK << 4), s->ucInvoke, s->ucDienst});
        if (!NEHMEN(g, s)) return ABBRECHEN(a, QX04_ABORT_PUFFER);
        if (!s->bMehr) return GANZ(a);
        QUITTUNG(a, false, 0);
        return SC_SEG_WEITER;
    }
    const unsigned char ucNext = static_cast<unsigned char>(g.ucLetzte + 1);
    if (s->ucSeq == ucNext) {
        if (!NEHMEN(g, s)) return ABBRECHEN(a, QX04_ABORT_PUFFER);
        if (!s->bMehr) return GANZ(a);
        if (static_cast<unsigned char>(s->ucSeq - g.ucErste) >= g.ucFenster) {
            QUITTUNG(a, false, s->ucSeq);
            g.ucErste = s->ucSeq;
        }
        return SC_SEG_WEITER;
    }
    if (static_cast<unsigned char>(g.ucLetzte - s->ucSeq) < g.ucFenster) { // a duplicate
        if (s->ucSeq == g.ucErste && g.ucLetzte == g.ucErste) QUITTUNG(a, false, g.ucErste);
        return SC_SEG_WEITER;
    }
    if (static_cast<unsigned char>(s->ucSeq - ucNext) < g.ucFenster) { // one before it was lost
        if (!g.bLuecke) {
            QUITTUNG(a, true, g.ucLetzte);
            g.ucErste = g.ucLetzte;
            g.bLuecke = true;
        }
        return SC_SEG_WEITER;
    }
    return ABBRECHEN(a, QX04_ABORT_ZUSTAND);
}
