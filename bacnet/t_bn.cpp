// Readable breakdown of a received frame for commissioning and fault finding: BVLC, NPDU and APDU type.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_T_BN";

static void TEXT(const char *cPrefix, const IP_PORT *stPort) {
    const char *c = stPort != nullptr ? IP_PORT2A(stPort) : nullptr;
    UT_TRC("\n\n", cRoutine, "%s>%s<", cPrefix, c != nullptr ? c : "* NULL *");
}

// A frame shorter than its headers announce: the breakdown ends where the bytes end.
static void ZU_KURZ() {
    UT_TRC_CONT("\n\n    Datagramm zu kurz !!");
}

// Destination (c 'D') or source (c 'S') specifier at p: network, MAC length, MAC address. The offset behind
// it, 0 when the frame ends first.
static unsigned SPEZ(const unsigned char *f, unsigned p, unsigned uLen, char c) {
    if (p + 3 > uLen) return 0;
    const unsigned uMLen = f[p + 2];
    UT_TRC_CONT("\n        -%cNET ....: %u\n        -%cLEN ....: %u", c, (unsigned)f[p] << 8 | f[p + 1], c,
                uMLen);
    p += 3;
    if (p + uMLen > uLen) return 0;
    if (uMLen != 0) {
        UT_TRC_CONT("\n        -%cADR ....: 0x", c);
        for (unsigned i = 0; i < uMLen; i++)
            UT_TRC_CONT("%02X", f[p + i]);
    }
    return p + uMLen;
}

static void APDU_TYP(unsigned char ucTyp) {
    const unsigned uTyp = ucTyp >> 4;
    UT_TRC_CONT("\n\n    APDU-Typ .... : %u", uTyp);
    if (uTyp <= 4) {
        if (ucTyp & 0x08) UT_TRC_CONT("  SEG");
        if (ucTyp & 0x04) UT_TRC_CONT("  MORE");
        if (ucTyp & 0x02) UT_TRC_CONT("  SA");
    } else {
        if (ucTyp & 0x02) UT_TRC_CONT("  NAK");
        if (ucTyp & 0x01) UT_TRC_CONT("  SRV");
    }
}

// NPDU from offset n on: specifiers, hop count, then the network message or the APDU type.
static void NPDU(const unsigned char *f, unsigned n, unsigned uLen) {
    UT_TRC_CONT("\n\n    NPDU-Version .: %u", f[n]);
    if (n + 1 >= uLen) return ZU_KURZ();
    const unsigned char ucCtl = f[n + 1];
    UT_TRC_CONT("\n        -Control .: 0x%02X  (Prio.: %u)", ucCtl, ucCtl & 3u);
    unsigned p = n + 2;
    if ((ucCtl & 0x20) && (p = SPEZ(f, p, uLen, 'D')) == 0) return ZU_KURZ();
    if ((ucCtl & 0x08) && (p = SPEZ(f, p, uLen, 'S')) == 0) return ZU_KURZ();
    if (ucCtl & 0x20) {
        if (p >= uLen) return ZU_KURZ();
        UT_TRC_CONT("\n        -Hop Count: %u", f[p++]);
    }
    if (p >= uLen) return ZU_KURZ();
    if (ucCtl & 0x80)
        UT_TRC_CONT("\n\n    Network Mess. : 0x%02X", f[p]);
    else
        APDU_TYP(f[p]);
}

static void BREAKDOWN(const IP_PORT *stPort, const unsigned char *f) {
    TEXT("BN-Datagramm f\x81r Port : ", stPort);
    if (f[0] != 0x81) return UT_TRC_CONT("\n\n    BVLC-Typ .....: 0x%02X  ist unzul\x84ssig !!", f[0]);
    const unsigned uLen = QX04_BN_BVLCLEN(f);
    UT_TRC_CONT("\n\n    BVLC-Typ .....: 0x%02X\n        -Funktion : 0x%02X\n        -L\x84nge ...: %u", f[0],
                f[1], uLen);
    if (f[1] == 0x04) {
        if (uLen < 10) return ZU_KURZ();
        const IP_PORT stOrig{QX04_BN_BNL2L(f + 4), QX04_BN_BNS2S(f + 8)};
        const char *c = IP_PORT2A(&stOrig);
        UT_TRC_CONT("\n        -Orig.Dev.: >%s<", c != nullptr ? c : "* NULL *");
    }
    const int n = QX04_BN_POSNPDU(f);
    if (n < 0) return UT_TRC_CONT("\n\n    NPDU fehlt !!");
    NPDU(f, static_cast<unsigned>(n), uLen);
}

int QX04_T_BN(const IP_PORT *stPort, const unsigned char *ucFrame) {
    if (UT_TRC_IN()) TEXT("Nach Aufruf  Port : ", stPort);
    BREAKDOWN(stPort, ucFrame);
    if (TEST_T_fpout != nullptr) std::fflush(TEST_T_fpout);
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", 0);
    return 0;
}
