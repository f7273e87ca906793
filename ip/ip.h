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

// ---- Endpoint table and datagram I/O -------------------------------------------------------------------
