// libFuzzer target for segmented answers: a run of Complex-ACK segments (built from records: flags, sequence
// number, window, service data; or a whole datagram as it came) for a ReadPropertyMultiple that took them.
// Every segment goes through the receive guard and the exchange's reassembly. Invariants: the answer never
// grows past its bound; a whole answer is a frame whose BVLC length is its size, which the decoders then read
// within it (AddressSanitizer watches every read); the scanner sends only Segment-ACKs and Aborts, each for
// the request's invoke id.
#include <cstring>
#include "bacnet/bn.h"
#include "fuzz/fz.h"
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch_intern.h"
#include "support/netns_guard.h"

static unsigned char ucAnfrage[QX04_BUF_SIZE];
constexpr unsigned char INVOKE = 9;

static void SENKE(const IP_PORT *, int iLen, const unsigned char *ucFrame) {
    const int a = QX04_BN_POSAPDU(ucFrame);
    FZ_CHECK(a > 0 && iLen == a + (ucFrame[a] >> 4 == QX04_PDU_ABORT ? 3 : 4));
    FZ_CHECK((ucFrame[a] >> 4 == QX04_PDU_SEGMENT_ACK || ucFrame[a] >> 4 == QX04_PDU_ABORT) &&
             ucFrame[a + 1] == INVOKE);
}

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    NT_REQUIRE_PRIVATE_NETNS();
    UT_CLOCK_SET(FZ_UHR);
    TEST_T_fpout = FZ_SENKE();
    pfIP_Senke = SENKE;
    // A ReadPropertyMultiple of a local device that takes 32 segments.
    const unsigned char ucKopf[] = {0x81, 0x0A, 0x00, 0x11, 0x01, 0x04, 0x02, 0x55, INVOKE, 0x0E,
                                    0x0C, 0x00, 0x00, 0x00, 0x03, 0x1E, 0x09, 0x4D, 0x1F};
    std::memcpy(ucAnfrage, ucKopf, sizeof ucKopf);
    ucAnfrage[3] = sizeof ucKopf;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *ucData, std::size_t uSize) {
    static SC_TRANSAKTION_Struct a;
    SC_AUSTAUSCH_NEU(&a);
    std::memcpy(a.ucFrame, ucAnfrage, QX04_BUF_SIZE);
    a.iLen = ucAnfrage[3];
    a.ucInvoke = INVOKE;
    a.bSegAn = QX04_BN_NIMMT_SEGMENTE(a.ucFrame);
    FZ_CHECK(a.bSegAn);
    for (std::size_t p = 0; p + 4 <= uSize;) {
        const unsigned char ucArt = ucData[p], ucSeq = ucData[p + 1], ucFenster = ucData[p + 2];
        const std::size_t n = std::min<std::size_t>(ucData[p + 3], uSize - p - 4);
        const unsigned char *ucTeil = ucData + p + 4;
        p += 4 + n;
        int iLen;
        if ((ucArt & 0x80) != 0) { // the datagram as it came
            iLen = static_cast<int>(n);
            std::memcpy(QX04_RECV_Buf, ucTeil, n);
        } else {
            const unsigned char ucKopf[] = {0x81,
                                            0x0A,
                                            0,
                                            0,
                                            0x01,
                                            0x00,
                                            static_cast<unsigned char>(0x38 | (ucArt & 0x04)),
                                            (ucArt & 0x40) != 0 ? ucArt : INVOKE,
                                            ucSeq,
                                            ucFenster,
                                            (ucArt & 0x20) != 0 ? ucArt : QX04_SVC_READ_PROP_MULTIPLE};
            iLen = static_cast<int>(sizeof ucKopf + n);
            std::memcpy(QX04_RECV_Buf, ucKopf, sizeof ucKopf);
            std::memcpy(QX04_RECV_Buf + sizeof ucKopf, ucTeil, n);
            QX04_BN_S2BNS(static_cast<std::uint16_t>(iLen), QX04_RECV_Buf + 2);
        }
        QX04_BN_SEGMENT s;
        if (QX04_BN_RXCHK(QX04_RECV_Buf, iLen) != 0 || !QX04_BN_SEGMENT_LESEN(QX04_RECV_Buf, &s)) continue;
        FZ_CHECK(s.iDaten <= s.iEnde && s.iEnde <= iLen);
        if (s.ucInvoke != INVOKE) continue; // the match takes only its own invoke id
        const int r = SC_SEGMENT(&a, &s);
        FZ_CHECK(a.stSeg.vFrame.size() <= static_cast<std::size_t>(SC_SEG_PUFFER));
        if (r == SC_SEG_WEITER) continue;
        if (r != SC_SEG_GANZ) {
            FZ_CHECK(r < SC_MSG_ABBRUCH && !a.stSeg.bLauf);
            break;
        }
        const unsigned char *f = a.stSeg.vFrame.data();
        FZ_CHECK(QX04_BN_BVLCLEN(f) == a.stSeg.vFrame.size());
        static QX04_BN_RPMERG aErg[QX04_RPM_MAX];
        int iErg = 0, iWert = 0;
        const IP_PORT stVon = {0, 47808};
        QX04_BN_PASST(f, &stVon, a.ucFrame, &stVon, aErg, &iErg, &iWert);
        SC_ANTWORT_Struct stAntwort;
        SC_ANTWORT_LESEN(QX04_MSG_ACK, static_cast<int>(a.stSeg.vFrame.size()), iWert, aErg, iErg,
                         &stAntwort, f);
        break;
    }
    return 0;
}
