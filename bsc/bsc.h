// BACnet Secure Connect data link: BVLC-SC messages, and the one connection of a node to its hub over a
// WebSocket secured by TLS (libwebsockets on OpenSSL). The connection is kept up by polling: nothing here
// waits unless asked to, and every time comes from the loop clock's seam UT_MSEK.
#pragma once
#include <cstdint>

// ---- Messages ------------------------------------------------------------------------------------------
constexpr int BSC_VMAC_LEN = 6, BSC_UUID_LEN = 16;
// BVLC functions.
constexpr unsigned char BSC_RESULT = 0x00, BSC_NPDU = 0x01, BSC_ADRAUFL = 0x02, BSC_ADRAUFL_ACK = 0x03;
constexpr unsigned char BSC_WERBUNG = 0x04, BSC_WERBUNG_BITTE = 0x05, BSC_CONNECT = 0x06, BSC_ACCEPT = 0x07;
constexpr unsigned char BSC_DISCONNECT = 0x08, BSC_DISCONNECT_ACK = 0x09, BSC_HERZ = 0x0A,
                        BSC_HERZ_ACK = 0x0B;
constexpr unsigned char BSC_FUNK_MAX = 0x0C; // Proprietary-Message, the last one defined
// Control flags: originating and destination virtual address, destination and data options present.
constexpr unsigned char BSC_F_VON = 0x08, BSC_F_AN = 0x04, BSC_F_ZIELOPT = 0x02, BSC_F_DATENOPT = 0x01;
// A header option's marker: more options follow, must be understood, data follow; its type in the low bits.
constexpr unsigned char BSC_OPT_MEHR = 0x80, BSC_OPT_MUSS = 0x40, BSC_OPT_DATEN = 0x20, BSC_OPT_TYP = 0x1F;
constexpr unsigned char BSC_OPT_SICHER = 1, BSC_OPT_HERSTELLER = 31; // Secure Path, proprietary
// Error class and codes of a BVLC-Result NAK.
constexpr std::uint16_t BSC_KLASSE_KOMM = 7;
constexpr std::uint16_t BSC_CODE_FUNK_UNBEKANNT = 143, BSC_CODE_KOPF_UNVERSTANDEN = 146;
constexpr std::uint16_t BSC_CODE_VMAC_DOPPELT = 151;
constexpr unsigned char BSC_VMAC_ALLE[BSC_VMAC_LEN] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}; // every node
// What the scanner takes: the BVLL header of the BACnet layer's buffer (4 bytes) and the NPDU fill it.
constexpr int BSC_NPDU_MAX = 1496, BSC_BVLC_MAX = 1600;

// The header of a received message, and where its payload lies. Every offset lies inside the message.
struct BSC_KOPF {
    unsigned char ucFunk = 0, ucFlags = 0;
    std::uint16_t usId = 0;
    const unsigned char *ucVon = nullptr; // originating virtual address, null when absent
    const unsigned char *ucAn = nullptr;  // destination virtual address, null when absent
    bool bUnverstanden = false;           // an option marked must-understand that the node does not know
    int iNutz = 0, iNutzLen = 0;          // payload offset and length
};
// Results of BSC_KOPF_LESEN besides 0.
constexpr int BSC_KOPF_KURZ = -1, BSC_KOPF_BITS = -2, BSC_KOPF_OPTION = -3;
// Reads the header of the iLen bytes at ucMsg, options included: 0, or BSC_KOPF_KURZ (cut off inside the
// header), BSC_KOPF_BITS (reserved control bits set), BSC_KOPF_OPTION (an option malformed, or one not
// allowed where it stands). Reads nothing at or after ucMsg + iLen.
int BSC_KOPF_LESEN(const unsigned char *ucMsg, int iLen, BSC_KOPF *stKopf);
// Header of a message the node sends (no origin: the hub adds it), destination ucAn when given: its length.
int BSC_KOPF_SCHREIBEN(unsigned char *ucOut, unsigned char ucFunk, std::uint16_t usId,
                       const unsigned char *ucAn);

// ---- The connection to the hub -------------------------------------------------------------------------
// The node's configuration: up to two hubs (the second the failover hub), the issuer certificate, the
// node's own certificate and key (PEM files).
constexpr int BSC_HUB_MAX = 2, BSC_TEXT_MAX = 256;
struct BSC_HUB {
    char cUri[BSC_TEXT_MAX];  // as given: wss://host[:port][/path]
    char cHost[BSC_TEXT_MAX]; // its parts
    char cPfad[BSC_TEXT_MAX];
    int iPort = 443;
};
// Splits a wss URI into its hub record: true, or false when it is none (only wss:// is taken).
bool BSC_URI(const char *cUri, BSC_HUB *stHub);

// State of the connection.
constexpr int BSC_AUS = 0;       // none: the next attempt is due at ulNaechsterMs (or never, set-up ended)
constexpr int BSC_AUFBAU = 1;    // TCP, TLS and WebSocket upgrade under way
constexpr int BSC_ANMELDUNG = 2; // Connect-Request sent, its Accept awaited
constexpr int BSC_OFFEN = 3;     // connected: NPDUs flow
constexpr int BSC_ABMELDUNG = 4; // Disconnect-Request sent
// Why the last attempt failed (iGrund), each with its detail (iDetail): what the console names.
constexpr int BSC_G_KEIN = 0;
constexpr int BSC_G_NETZ = 1;      // hub not reached (TCP)
constexpr int BSC_G_HUBZERT = 2;   // the hub's certificate not trusted: detail the X509 check's error
constexpr int BSC_G_EIGENZERT = 3; // the hub refused the node's certificate: detail the TLS alert
constexpr int BSC_G_TLS = 4;       // TLS failed otherwise: detail a TLS alert or 0
constexpr int BSC_G_UPGRADE = 5;   // WebSocket upgrade refused: detail the HTTP status or 0
constexpr int BSC_G_ABGELEHNT = 6; // Connect-Request refused: detail the NAK's error code
constexpr int BSC_G_STUMM = 7;     // no Connect-Accept in time, or a hub that stopped answering
constexpr int BSC_G_DATEI = 8;     // certificate or key not usable: detail 0 unreadable, 1 refused by TLS
constexpr int BSC_G_GETRENNT = 9;  // the hub closed an open connection

struct BSC_Struct {
    BSC_HUB astHub[BSC_HUB_MAX];
    int iHubs = 0;
    char cAussteller[BSC_TEXT_MAX], cZert[BSC_TEXT_MAX], cSchluessel[BSC_TEXT_MAX];
    unsigned char ucVmac[BSC_VMAC_LEN] = {};
    unsigned char ucUuid[BSC_UUID_LEN] = {}; // drawn once for the run
    unsigned char ucHubVmac[BSC_VMAC_LEN] = {};
    int iZustand = BSC_AUS;
    int iHub = 0;               // the hub connected to, or being tried
    bool bDauer = false;        // past the set-up: a lost connection is tried again without end
    std::uint16_t usId = 0;     // message id last drawn
    std::uint32_t ulSeitMs = 0; // when the state was entered
    std::uint32_t ulEmpfMs = 0; // last message received
    bool bHerz = false;         // a Heartbeat-Request is unanswered
    std::uint32_t ulNaechsterMs = 0;
    int iPause = 0; // attempts in a row that failed: the back-off's step
    int iGrund = BSC_G_KEIN, iDetail = 0;
    char cDetail[BSC_TEXT_MAX] = {}; // the library's own words for the failure
    std::uint32_t ulVerbunden = 0;   // connections accepted so far
    std::uint32_t ulVerloren = 0;    // connections lost so far
    std::uint32_t ulVerlorenMs = 0;  // when the connection was lost last (0 = connected or never up)
};
extern BSC_Struct stBSC;

// Times in ms.
constexpr std::uint32_t BSC_AUFBAU_MS = 10000; // TCP, TLS and upgrade, and the Connect-Accept after them
constexpr std::uint32_t BSC_HERZ_MS = 30000;   // silence after which a Heartbeat-Request goes, and its wait
constexpr std::uint32_t BSC_PAUSE_MS = 500;    // first back-off after a failed attempt, doubled each time
constexpr std::uint32_t BSC_PAUSE_MAX_MS = 8000;
constexpr std::uint32_t BSC_ABMELDUNG_MS = 1000; // wait for the Disconnect-ACK at the end

// Creates the TLS and WebSocket context from the files of stBSC and draws VMAC and UUID: 0, or -1 with
// iGrund BSC_G_DATEI.
int BSC_START();
// Starts an attempt to reach hub iHub; its outcome comes with the service calls.
void BSC_VERBINDEN(int iHub);
// Connects to hub iHub as the set-up does, waiting at most BSC_AUFBAU_MS (a VMAC the hub has already drawn
// anew): 0 connected, -1 not (iGrund and iDetail tell why).
int BSC_OEFFNEN(int iHub);
// One service pass: what is waiting is read and what is queued written, and the timers checked (heartbeat,
// connect wait, the next attempt after a loss). Never waits.
void BSC_DIENST();
// Waits at most iMs for the hub's connection to have something to read, then serves it.
void BSC_WARTEN(int iMs);
// Sends the iLen bytes of an NPDU to the node ucAn (BSC_VMAC_ALLE: every node): 0 queued, -1 not connected,
// -2 too long or the queue full.
int BSC_SENDEN(const unsigned char *ucAn, const unsigned char *ucNpdu, int iLen);
// The next NPDU received, its sender's VMAC into ucVon: its length, -1 when none is waiting.
int BSC_EMPFANGEN(unsigned char *ucVon, unsigned char *ucNpdu, int iMax);
// Ends the connection with a Disconnect-Request (waiting at most BSC_ABMELDUNG_MS for its ACK) and releases
// the context; a no-op when there is none.
void BSC_TRENNEN();
// The failure of iGrund with iDetail in words, in a static buffer.
const char *BSC_GRUND_TEXT(int iGrund, int iDetail, const char *cDetail);
// One received message, of iLen bytes, as the connection's state takes it (the service calls it).
void BSC_NACHRICHT(const unsigned char *ucMsg, int iLen);
// Queues a message of iLen bytes (header included); false when the queue is full.
bool BSC_SCHLANGE(const unsigned char *ucMsg, int iLen);
// The connection is gone (iGrund BSC_G_...): state BSC_AUS, next attempt after the back-off.
void BSC_WEG(int iGrund, int iDetail, const char *cDetail);
// Next message id.
std::uint16_t BSC_ID();
// A new random VMAC (locally administered, unicast: the low four bits of its first byte 0010).
void BSC_VMAC_NEU(unsigned char *ucVmac);
// iAnz random bytes from the system.
void BSC_ZUFALL(unsigned char *ucOut, int iAnz);
