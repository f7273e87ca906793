// Network-layer messages and the tables of BBMDs, for the site's network map: the requests it sends (ask for
// routers, the local network's number, a router's table, a BBMD's tables, a Who-Is into one network) and the
// answers it decodes. Every decoder reads nothing at or beyond the bytes received, nor beyond the BVLC
// length.
#pragma once
#include <cstdint>
#include "bacnet/bn.h"

// ---- Numbers (ASHRAE 135 clause 6.2.4 and Annex J.2)
// -------------------------------------------------------- Network-layer message types beside Reject,
// Router-Busy and Router-Available (bn.h).
constexpr unsigned char QX04_NL_WHO_IS_ROUTER = 0x00, QX04_NL_I_AM_ROUTER = 0x01, QX04_NL_I_COULD_BE = 0x02;
constexpr unsigned char QX04_NL_INIT_RT = 0x06, QX04_NL_INIT_RT_ACK = 0x07;
constexpr unsigned char QX04_NL_WHAT_IS_NETNR = 0x12, QX04_NL_NETNR_IS = 0x13;
constexpr unsigned char QX04_NL_PROPRIETAER = 0x80; // from here on: a vendor's message, its id follows
// BVLC functions of a BBMD's tables, and the result codes of a refused read.
constexpr unsigned char QX04_BVLC_RESULT = 0x00, QX04_BVLC_READ_BDT = 0x02, QX04_BVLC_READ_BDT_ACK = 0x03;
constexpr unsigned char QX04_BVLC_FORWARDED = 0x04, QX04_BVLC_READ_FDT = 0x06, QX04_BVLC_READ_FDT_ACK = 0x07;
constexpr unsigned char QX04_BVLC_UNICAST = 0x0A, QX04_BVLC_BROADCAST = 0x0B;
constexpr std::uint16_t QX04_BVLC_NAK_READ_BDT = 0x0020, QX04_BVLC_NAK_READ_FDT = 0x0040;
constexpr std::uint16_t QX04_NETZ_ALLE = 0xFFFF; // DNET of a message for every network

// ---- Requests ------------------------------------------------------------------------------------------
// BVLC header (Original-Broadcast or -Unicast) and NPDU header into ucBuf: with a DNET (usDnet not 0) whose
// MAC address is the broadcast one (DLEN 0) and hop count 255; bNetz marks a network-layer message. The
// offset behind the header (at most 10).
int QX04_BN_NPDU_KOPF(unsigned char *ucBuf, bool bBroadcast, std::uint16_t usDnet, bool bNetz);
// A network-layer message of type ucTyp with iLen bytes of ucDaten into ucBuf of iMax bytes: the frame
// length, or -1 when it does not fit.
int QX04_BN_NL_ANFRAGE(unsigned char *ucBuf, int iMax, bool bBroadcast, std::uint16_t usDnet,
                       unsigned char ucTyp, const unsigned char *ucDaten, int iLen);
// A Who-Is into network usDnet (0: the network the frame is sent into), for the devices ulVon to ulBis
// (ulVon above ulBis: every device): the frame length, or -1 when it does not fit into iMax bytes.
int QX04_BN_WHOIS_NETZ(unsigned char *ucBuf, int iMax, bool bBroadcast, std::uint16_t usDnet,
                       std::uint32_t ulVon, std::uint32_t ulBis);

// ---- Answers -------------------------------------------------------------------------------------------
constexpr int QX04_NL_NETZE_MAX = 256, QX04_NL_PORTS_MAX = 64, QX04_NL_INFO_MAX = 8;
// One row of a router's table: a network, the port that reaches it, and what the router says of the port.
struct QX04_NL_PORT {
    std::uint16_t usNetz;
    unsigned char ucPortId;
    unsigned char ucInfoLen;                 // as the message gives it
    unsigned char aucInfo[QX04_NL_INFO_MAX]; // its first bytes
};
// A network-layer message as received.
struct QX04_NL_MSG {
    unsigned char ucTyp;
    std::uint16_t usSnet; // a message from behind a router: its source network, else 0
    unsigned char ucSlen; // and the MAC length there (0: none)
    unsigned char aucSadr[QX04_SADR_MAX];
    int iAnzNetze; // networks the message names: of I-Am-Router, Busy, Available;
    std::uint16_t
        ausNetz[QX04_NL_NETZE_MAX]; // the one of Who-Is-Router, Reject, I-Could-Be, Network-Number-Is
    unsigned char ucWert;           // Reject's reason, Network-Number-Is's flag, I-Could-Be's index
    int iAnzPorts;                  // Initialize-Routing-Table(-Ack): its rows
    QX04_NL_PORT astPort[QX04_NL_PORTS_MAX];
    bool bVoll; // it named more networks or rows than are kept
};
// A received frame of iLen bytes as a network-layer message into *pMsg: 0, or -1 when it is none or its
// content is cut off or malformed.
int QX04_BN_NL_LESEN(const unsigned char *ucFrame, int iLen, QX04_NL_MSG *pMsg);

constexpr int QX04_BVLL_TAB_MAX = 128;
// One entry of a BBMD's broadcast distribution table (ulMaske) or foreign-device table (usTtl, usRest).
struct QX04_BVLL_EINTRAG {
    IP_PORT stAdr;
    std::uint32_t ulMaske;
    std::uint16_t usTtl, usRest;
};
struct QX04_BVLL_TAB {
    unsigned char ucFunk; // QX04_BVLC_READ_BDT_ACK or QX04_BVLC_READ_FDT_ACK (also for a refusal)
    int iNak;             // the result code of a refused read, -1 for a table
    int iAnz;
    QX04_BVLL_EINTRAG ast[QX04_BVLL_TAB_MAX];
    bool bVoll; // more entries than are kept
};
// A received frame of iLen bytes as a Read-BDT-Ack, Read-FDT-Ack or the refusal of such a read into *pTab: 0,
// or -1 when it is none of these or its length is not that of whole entries.
int QX04_BN_BVLL_TABELLE(const unsigned char *ucFrame, int iLen, QX04_BVLL_TAB *pTab);
