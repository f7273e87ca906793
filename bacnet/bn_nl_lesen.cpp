// A network-layer message as the site's routers send it: who they are a router to, the number of the network
// the scanner sits in, their routing table, or a refusal. Read within the bytes received and the BVLC length,
// whichever is shorter; a message whose content is cut off or malformed is not taken at all.
#include <algorithm>
#include <cstring>
#include "bacnet/bn_netz.h"

namespace {

// Offset of the NPDU behind the BVLC header of the functions that carry one, else -1.
int NPDU_POS(const unsigned char *ucFrame) {
    switch (ucFrame[1]) {
    case QX04_BVLC_FORWARDED:
        return 10;
    case QX04_BVLC_UNICAST:
    case QX04_BVLC_BROADCAST:
        return 4;
    default:
        return -1;
    }
}

// Network numbers of 2 bytes each from p up to uEnd; false when a byte is left over.
bool NETZE(const unsigned char *ucFrame, unsigned p, unsigned uEnd, QX04_NL_MSG *m) {
    if ((uEnd - p) % 2 != 0) return false;
    for (; p < uEnd; p += 2) {
        if (m->iAnzNetze == QX04_NL_NETZE_MAX) return m->bVoll = true;
        m->ausNetz[m->iAnzNetze++] = QX04_BN_BNS2S(ucFrame + p);
    }
    return true;
}

// Rows of a routing table: a count, then network, port id, info length and info per row.
bool PORTS(const unsigned char *ucFrame, unsigned p, unsigned uEnd, QX04_NL_MSG *m) {
    if (p == uEnd) return true; // the Ack to a change carries no rows
    const unsigned uAnz = ucFrame[p++];
    for (unsigned i = 0; i < uAnz; i++) {
        if (p + 4 > uEnd || p + 4 + ucFrame[p + 3] > uEnd) return false;
        if (m->iAnzPorts < QX04_NL_PORTS_MAX) {
            QX04_NL_PORT &r = m->astPort[m->iAnzPorts++];
            r.usNetz = QX04_BN_BNS2S(ucFrame + p);
            r.ucPortId = ucFrame[p + 2];
            r.ucInfoLen = ucFrame[p + 3];
            std::memcpy(r.aucInfo, ucFrame + p + 4, std::min<std::size_t>(r.ucInfoLen, QX04_NL_INFO_MAX));
        } else {
            m->bVoll = true;
        }
        p += 4 + ucFrame[p + 3];
    }
    return p == uEnd;
}

// The content behind the message type, from p up to uEnd.
bool INHALT(const unsigned char *ucFrame, unsigned p, unsigned uEnd, QX04_NL_MSG *m) {
    switch (m->ucTyp) {
    case QX04_NL_WHO_IS_ROUTER:
        return p == uEnd || NETZE(ucFrame, p, uEnd, m);
    case QX04_NL_I_AM_ROUTER:
    case QX04_NL_BUSY:
    case QX04_NL_AVAILABLE:
        return NETZE(ucFrame, p, uEnd, m);
    case QX04_NL_REJECT:
        if (p + 3 > uEnd) return false;
        m->ucWert = ucFrame[p];
        return NETZE(ucFrame, p + 1, p + 3, m);
    case QX04_NL_I_COULD_BE:
    case QX04_NL_NETNR_IS:
        if (p + 3 > uEnd) return false;
        m->ucWert = ucFrame[p + 2];
        return NETZE(ucFrame, p, p + 2, m);
    case QX04_NL_INIT_RT:
    case QX04_NL_INIT_RT_ACK:
        return PORTS(ucFrame, p, uEnd, m);
    default:
        return true; // nothing of it is used
    }
}

} // namespace

int QX04_BN_NL_LESEN(const unsigned char *ucFrame, int iLen, QX04_NL_MSG *pMsg) {
    *pMsg = QX04_NL_MSG{};
    if (iLen < 4 || ucFrame[0] != 0x81) return -1;
    const unsigned uEnd = std::min(static_cast<unsigned>(iLen), QX04_BN_BVLCLEN(ucFrame));
    const int n = NPDU_POS(ucFrame);
    if (n < 0 || static_cast<unsigned>(n) + 2 > uEnd || ucFrame[n] != 0x01) return -1;
    const unsigned char ucCtl = ucFrame[n + 1];
    if ((ucCtl & 0x80) == 0) return -1;
    unsigned p = static_cast<unsigned>(n) + 2;
    if (ucCtl & 0x20) {
        if (p + 3 > uEnd) return -1;
        p += 3 + ucFrame[p + 2];
    }
    if (ucCtl & 0x08) {
        // A source address longer than a route record holds names no node the map could tell apart.
        if (p + 3 > uEnd || ucFrame[p + 2] > QX04_SADR_MAX || p + 3 + ucFrame[p + 2] > uEnd) return -1;
        pMsg->usSnet = QX04_BN_BNS2S(ucFrame + p);
        pMsg->ucSlen = ucFrame[p + 2];
        std::memcpy(pMsg->aucSadr, ucFrame + p + 3, pMsg->ucSlen);
        p += 3 + pMsg->ucSlen;
    }
    if (ucCtl & 0x20) p += 1; // hop count
    if (p + 1 > uEnd) return -1;
    pMsg->ucTyp = ucFrame[p++];
    if (pMsg->ucTyp >= QX04_NL_PROPRIETAER) return p + 2 <= uEnd ? 0 : -1; // a vendor's id follows
    return INHALT(ucFrame, p, uEnd, pMsg) ? 0 : -1;
}
