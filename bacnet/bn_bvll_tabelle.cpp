// The tables a BBMD gives on request: its broadcast distribution table (the BBMDs of the other subnets it
// forwards to, with their masks) and its foreign-device table (registered nodes, time-to-live and time left),
// or the refusal of the read. Only whole entries within the bytes received count.
#include <algorithm>
#include "bacnet/bn_netz.h"

int QX04_BN_BVLL_TABELLE(const unsigned char *ucFrame, int iLen, QX04_BVLL_TAB *pTab) {
    constexpr unsigned uKopf = 4, uEintrag = 10;
    pTab->ucFunk = 0;
    pTab->iNak = -1;
    pTab->iAnz = 0;
    pTab->bVoll = false;
    if (iLen < static_cast<int>(uKopf) || ucFrame[0] != 0x81) return -1;
    const unsigned uEnd = std::min(static_cast<unsigned>(iLen), QX04_BN_BVLCLEN(ucFrame));
    const unsigned char ucFunk = ucFrame[1];
    if (ucFunk == QX04_BVLC_RESULT) {
        if (uEnd != uKopf + 2) return -1;
        const std::uint16_t usCode = QX04_BN_BNS2S(ucFrame + uKopf);
        if (usCode != QX04_BVLC_NAK_READ_BDT && usCode != QX04_BVLC_NAK_READ_FDT) return -1;
        pTab->ucFunk = usCode == QX04_BVLC_NAK_READ_BDT ? QX04_BVLC_READ_BDT_ACK : QX04_BVLC_READ_FDT_ACK;
        pTab->iNak = usCode;
        return 0;
    }
    if ((ucFunk != QX04_BVLC_READ_BDT_ACK && ucFunk != QX04_BVLC_READ_FDT_ACK) || uEnd < uKopf ||
        (uEnd - uKopf) % uEintrag != 0)
        return -1;
    pTab->ucFunk = ucFunk;
    for (unsigned p = uKopf; p < uEnd; p += uEintrag) {
        if (pTab->iAnz == QX04_BVLL_TAB_MAX) {
            pTab->bVoll = true;
            break;
        }
        QX04_BVLL_EINTRAG &e = pTab->ast[pTab->iAnz++];
        e.stAdr = {QX04_BN_BNL2L(ucFrame + p), QX04_BN_BNS2S(ucFrame + p + 4)};
        e.ulMaske = ucFunk == QX04_BVLC_READ_BDT_ACK ? QX04_BN_BNL2L(ucFrame + p + 6) : 0;
        e.usTtl = ucFunk == QX04_BVLC_READ_FDT_ACK ? QX04_BN_BNS2S(ucFrame + p + 6) : 0;
        e.usRest = ucFunk == QX04_BVLC_READ_FDT_ACK ? QX04_BN_BNS2S(ucFrame + p + 8) : 0;
    }
    return 0;
}
