// IP transport: a table of four UDP/TCP endpoints with polling send and receive, and the endpoint record
// and its text form "[IP-Adresse#]Portnummer".
#pragma once
#include <cstdint>

// An IP endpoint: IPv4 address and UDP/TCP port, both in host byte order.
// ulAdr 0 = no address given; 0xFFFFFFFF = none.
struct IP_PORT {
    std::uint32_t ulAdr;
    std::uint16_t usPort;
};

// ---- Addresses and port strings ------------------------------------------------------------------------
std::uint16_t IP_S2NS(std::uint16_t usS);  // host -> network byte order
std::uint16_t IP_NS2S(std::uint16_t usNS); // network -> host byte order
std::uint32_t IP_L2NL(std::uint32_t ulL);
std::uint32_t IP_NL2L(std::uint32_t ulNL);
// Endpoint text "a.b.c.d#port" in a static buffer, valid until the next call; null when none.
char *IP_PORT2A(const IP_PORT *Port);
// "[IP-Adresse#]Portnummer" (at most 31 characters) into Port; 0, or -1 when a part was rejected.
int IP_A2PORT(const char *cPort, IP_PORT *Port);
// The local host's address number Index (from 0), host order; 0xFFFFFFFF when there is none.
std::uint32_t IP_GET_HOST(int Index);
// Directed broadcast address of the classful network of ulAdr; 0xFFFFFFFF when none.
std::uint32_t IP_GET_NET(std::uint32_t ulAdr);
// Position (from 1) of ulAdr among the local host's addresses, 0 when it is not one of them.
int IP_CHK_HOST(std::uint32_t ulAdr);
// Takes the local host's addresses (at most IP_HOST_MAX) for the checks of the run: their number.
int IP_HOST_MERKEN();
// Address number Index as taken by IP_HOST_MERKEN, or resolved now when nothing was taken; 0xFFFFFFFF: none.
std::uint32_t IP_HOST_ADR(int Index);
// The local address the host sends from toward Ziel; 0xFFFFFFFF when there is no route.
std::uint32_t IP_LOKAL(const IP_PORT *Ziel);
constexpr int IP_HOST_MAX = 16;
extern std::uint32_t ulIP_HostAdr[IP_HOST_MAX];
extern int iIP_HostAnz; // addresses taken, -1 = not taken (every check resolves the host name)

// ---- Endpoint table and datagram I/O -------------------------------------------------------------------
// One entry of the endpoint table; free when iSock is -1.
struct IP_APP {
    int iSock;     // socket descriptor, -1 = entry free
    int iPort;     // local port as passed to IP_OPEN; its low 16 bits are bound
    int iProt;     // 1 = UDP, 2 = TCP
    IP_PORT RPort; // default destination; 0xFFFFFFFF#65535 when IP_OPEN got no remote text
};
constexpr int IP_APP_MAX = 4;
extern IP_APP APP_IP[IP_APP_MAX];
extern int iIP_Error; // system error number of the last failing socket call

constexpr int IP_CMD_DATA = 0x86;      // command of a datagram, sent and received
constexpr int IP_SCMD_SEND = 0x80;     // subcommand the scanner sends with
constexpr int IP_SCMD_RECEIVED = 0x82; // subcommand of a received datagram

int IP_INIT(); // number of earlier calls; clears the table on the first
int IP_EXIT(); // closes every open entry
// Opens the lowest free entry: index 0..3, or -1 failed, -2 table full, -3 protocol not 1 or 2.
int IP_OPEN(int iProt, int iPort, const char *cRPort);
int IP_CLOSE(int iIndex);
// Sends iAnzahl bytes to RPort (null: the entry's default destination); only iCMD 0x86 on UDP.
int IP_SEND(int iIndex, const IP_PORT *RPort, int iCMD, int iSCMD, int iAnzahl, const unsigned char *ucData);
// When set, IP_SEND hands every datagram to this function instead of a socket (0): a test plays the other
// end in its own process.
using IP_SENKE_FN = void (*)(const IP_PORT *Ziel, int iAnzahl, const unsigned char *ucData);
extern IP_SENKE_FN pfIP_Senke;
// One waiting datagram into ucBuf (at most iLen bytes): the count, -1 nothing waiting, or another negative
// code.
int IP_RECV(int iIndex, IP_PORT *RPort, int *iCMD, int *iSCMD, int iLen, unsigned char *ucBuf);
// Asks for a receive buffer of iBytes (beyond the system's limit where the process may): the size granted,
// -2 bad index, -3 free entry, -1 failed.
int IP_RCVBUF(int iIndex, int iBytes);
// Waits at most iMs milliseconds until a datagram is waiting: 1 waiting, 0 none, -2 bad index, -3 free entry,
// -1 failed.
int IP_WAIT(int iIndex, int iMs);
