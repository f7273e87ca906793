// The site's network map (-N, -G): routers, networks, BBMDs and devices as the discovery before the scan and
// the scan itself learn them, the conflicts between what they say, and the map's outputs (a few console
// lines, the "network_map" of the -J report, a Graphviz file). It is told facts one by one through
// SC_KARTE_MELDEN and judges them only at the end, so the order in which answers arrive does not matter.
#pragma once
#include <cstdint>
#include <string>
#include "bacnet/bn_netz.h"
#include "scanner/event/sc_ereignis.h"

// What a fact says.
constexpr int SC_FAKT_NETZNUMMER = 1; // Network-Number-Is from stVon: usNetz, iWert 1 = configured
constexpr int SC_FAKT_ROUTER = 2;  // I-Am-Router-To-Network from stVon: pNl's networks (none: routes nowhere)
constexpr int SC_FAKT_TABELLE = 3; // Initialize-Routing-Table-Ack from stVon: pNl's rows
constexpr int SC_FAKT_GEFRAGT = 4; // the router stVon was asked for its table (it may stay silent)
constexpr int SC_FAKT_GERAET = 5;  // an I-Am of ulInst from stVon, behind a router on usNetz at the MAC
constexpr int SC_FAKT_GESCANNT = 6; // the scan of ulInst ended: iWert 1 complete, 0 not
constexpr int SC_FAKT_BBMD = 7;     // stVon is a BBMD: iWert 1 it forwarded a broadcast, 0 named by -F
constexpr int SC_FAKT_BVLL = 8;     // a table of the BBMD stVon, or its refusal: pTab
constexpr int SC_FAKT_ENTDECKT = 9; // the routers of the site were asked (the rules about claims apply)

struct SC_FAKT_Struct {
    int iArt = 0;
    IP_PORT stVon{0xFFFFFFFF, 0};
    std::uint16_t usNetz = 0; // 0 = the scanner's own IP network
    std::uint32_t ulInst = 0xFFFFFFFF;
    unsigned char ucMacLen = 0;
    unsigned char aucMac[QX04_SADR_MAX] = {};
    int iWert = 0;
    const QX04_NL_MSG *pNl = nullptr;
    const QX04_BVLL_TAB *pTab = nullptr;
};

// ---- Two observers of the scan, registered by set-up: the map (-N or -G) and the discovery (-N), which
// sends its Who-Is in place of the set-up's.
// An empty map, options off (before the options are read).
void SC_KARTE_NEU();
// -N (discovery network by network) or -G<file> (the map as a Graphviz file): true when cArg was one of them.
bool SC_KARTE_OPTION(const char *cArg);
bool SC_KARTE_AN();        // -N or -G given: the map is kept
bool SC_KARTE_ENTDECKEN(); // -N given
// Before anything is sent: 1 with -N or -G (a -G file can be created), 0 without; the console error and -18
// when the file cannot be created.
int SC_KARTE_PRUEFEN(int argc, char **argv);
// The map's events: a device's end (how far it was read), the scan's end (console lines, -G file): 0, or
// -25 when the -G file could not be written (reported).
int SC_KARTE_EREIGNIS(const SC_EREIGNIS_Struct *stE);
// The map as the report's part: {"network_map": ...}.
const char *SC_KARTE_BERICHT();
// The discovery: 1 with -N, else 0; at SC_EV_WHOIS it runs (SC_KARTE_ENTDECKUNG): 0.
int SC_ENTDECKUNG_PRUEFEN(int argc, char **argv);
int SC_ENTDECKUNG_EREIGNIS(const SC_EREIGNIS_Struct *stE);
// ---- What the discovery and the scan tell
void SC_KARTE_MELDEN(const SC_FAKT_Struct *f);
// A received datagram of iLen bytes from stVon, for the map (one the receive guard refuses is left alone): a
// router's or BBMD's answer becomes a fact, an I-Am counts for the discovery's Who-Is. True when the map took
// it whole (a BBMD's table), false when it goes on to the message check as well.
bool SC_KARTE_EMPFANG(const IP_PORT *stVon, const unsigned char *ucFrame, int iLen);
// -N, before the scan instead of the global Who-Is: the own network's number and its routers (all routers
// when none answers there), each router's table, each BBMD's tables, a Who-Is into the own network, then one
// into every other network through its router, range by range.
// Datagrams the map does not take go on through the exchange's receive, as in the scan.
void SC_KARTE_ENTDECKUNG();
// Networks known so far, ascending, each with every router that claims it, or else with the first router its
// devices answered through: the number of pairs, at most iMax. The discovery sends its Who-Is by these.
int SC_KARTE_NETZE(std::uint16_t *ausNetz, IP_PORT *astRouter, int iMax);
// ---- At the end
// The devices of the route table, and the duplicates it noted, as facts.
void SC_KARTE_ROUTEN();
std::string SC_KARTE_KONSOLE(); // the summary and one line per conflict, in the console's code page
std::string SC_KARTE_JSON();    // the "network_map" object, UTF-8
std::string SC_KARTE_DOT();     // the Graphviz file, UTF-8
// The console lines, and the -G file through a temporary name: 0, or -25 when it could not be written
// (reported on the console).
int SC_KARTE_ENDE();
