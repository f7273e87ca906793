// Network-layer messages addressed to the scanner: it routes nothing, so it only notes them in the trace, and
// keeps what a router says about its networks for the parallel scan, which paces its requests by network.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_MSGNW";

// Offset of the message type behind the NPDU header, -1 when the header runs past the BVLC length.
static int TYP_POS(const unsigned char *ucFrame, unsigned uLen) {
    const int n = QX04_BN_POSNPDU(ucFrame);
    if (n <= 0 || static_cast<unsigned>(n) + 1 >= uLen) return -1;
    const unsigned char ucCtl = ucFrame[n + 1];
    unsigned p = static_cast<unsigned>(n) + 2;
    static const unsigned char aucTeil[] = {0x20, 0x08}; // destination, then source address
    for (const unsigned char ucBit : aucTeil) {
        if ((ucCtl & ucBit) == 0) continue;
        if (p + 2 >= uLen) return -1;
        p += 3 + ucFrame[p + 2]; // NET, LEN, ADR
    }
    if (ucCtl & 0x20) p += 1; // hop count
    return p < uLen ? static_cast<int>(p) : -1;
}

// A router message about networks into the ring; every byte read below the BVLC length.
static void MERKEN(const IP_PORT *stPort, const unsigned char *ucFrame) {
    const unsigned uLen = QX04_BN_BVLCLEN(ucFrame);
    const int t = TYP_POS(ucFrame, uLen);
    if (t < 0 || stPort == nullptr) return;
    QX04_NETZMELDUNG m{*stPort, ucFrame[t], 0, 0, {}};
    unsigned p = static_cast<unsigned>(t) + 1;
    if (m.ucTyp == QX04_NL_REJECT) {
        if (p + 3 > uLen) return;
        m.ucGrund = ucFrame[p++];
    } else if (m.ucTyp != QX04_NL_BUSY && m.ucTyp != QX04_NL_AVAILABLE) {
        return;
    }
    for (; p + 2 <= uLen && m.iAnzNetze < QX04_NETZ_NETZE_MAX; p += 2)
        m.ausNetz[m.iAnzNetze++] = QX04_BN_BNS2S(ucFrame + p);
    stQX04_Netz[ulQX04_NetzAnz % QX04_NETZ_MAX] = m;
    ulQX04_NetzAnz++;
}

int QX04_BN_MSGNW(const IP_PORT *stPort, const unsigned char *ucFrame) {
    if (UT_TRC_IN()) {
        const char *c = stPort != nullptr ? IP_PORT2A(stPort) : nullptr;
        UT_TRC("\n\n", cRoutine, "Nach Aufruf  Port : >%s<", c != nullptr ? c : "* NULL *");
    }
    MERKEN(stPort, ucFrame);
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", 0);
    return 0;
}
