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

// ---- Endpoint table and datagram I/O -------------------------------------------------------------------
