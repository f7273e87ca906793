// -S: the scan through a BACnet Secure Connect hub in place of the B/IP endpoint. The options, the connection
// made at set-up (a failure named on the console before any output file is opened), the data link the BACnet
// layer sends and receives through, the requests repeated after a lost connection came back, and the end.
#pragma once
#include <cstdint>
#include "bacnet/bn.h"

// -S<wss URI> (a second -S names the failover hub), -I<issuer certificate>, -C<own certificate>, -K<own key>:
// PEM files. A malformed -S is said at once and ends the set-up (error -17).
void SC_SICHER_OPTION(const char *cArg);
extern bool bSC_Sicher; // -S given
// The data link of the scan through a hub. -S sets it at once, so that the route file is read with VMACs; it
// sends nothing before the set-up has connected.
extern const QX04_LINK stSC_SicherLink;
// Forgets the options of an earlier run in the same process.
void SC_SICHER_NEU();
// Set-up: 0 without -S (the B/IP endpoint is opened), 1 connected with the layer's data link set, or the
// set-up's error after one console line: -17 options, -18 files, -19 no hub reached.
int SC_SICHER_OEFFNEN();
// End: the Disconnect-Request; a connection that stayed lost is said on the console.
void SC_SICHER_ENDE();

// The data link of the BACnet layer (QX04_LINK).
int SC_SICHER_SENDEN(const IP_PORT *stZiel, int iLen, const unsigned char *ucFrame);
int SC_SICHER_EMPFANGEN(IP_PORT *stVon, int iMax, unsigned char *ucBuf);
void SC_SICHER_WARTEN(int iMs);
const char *SC_SICHER_ADR2A(const IP_PORT *stAdr); // "12:34:56:78:9A:BC"
int SC_SICHER_A2ADR(const char *cText, IP_PORT *stAdr);
// A VMAC as the layer's link address, and back.
IP_PORT SC_SICHER_ADR(const unsigned char *ucVmac);
void SC_SICHER_VMAC(const IP_PORT *stAdr, unsigned char *ucVmac);
// A loss or a reconnection of the hub's connection since the last look: said on the console; after a
// reconnection the requests still open go again.
void SC_SICHER_LAGE();

// Confirmed requests sent and not yet answered, so that the ones a lost connection swallowed go again when
// it is back (the exchange's own repetitions may be spent by then). A request is off the list once its
// sender has answered its invoke id, or after SC_OFFEN_MS.
constexpr int SC_OFFEN_MAX = 128; // beyond the most requests a scan keeps outstanding (-P64)
constexpr std::uint32_t SC_OFFEN_MS = 60000;
struct SC_OFFEN_Struct {
    bool bBelegt;
    IP_PORT stZiel;
    unsigned char ucInvoke;
    std::uint32_t ulMs; // when it was sent last
    int iLen;
    unsigned char ucFrame[QX04_BUF_SIZE];
};
extern SC_OFFEN_Struct astSC_Offen[SC_OFFEN_MAX];
// A frame sent to stZiel: kept when it is a confirmed request (a request of the same invoke id to the same
// node replaces its entry).
void SC_SICHER_MERKEN(const IP_PORT *stZiel, const unsigned char *ucFrame, int iLen);
// A received frame from stVon: the request it answers is off the list.
void SC_SICHER_ERLEDIGT(const IP_PORT *stVon, const unsigned char *ucFrame);
// Sends every request still open again: their number.
int SC_SICHER_NACHHOLEN();
