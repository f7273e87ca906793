// The map's records, private to this folder: what was learnt, and what the conflict rules find in it.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>
#include "scanner/netmap/sc_karte.h"

struct SC_KROUTER_Struct {
    IP_PORT stAdr;
    bool bAntwort = false;             // it answered a network-layer message of the scan
    bool bGefragt = false;             // its table was asked for
    bool bTabelle = false;             // and it gave it
    std::vector<std::uint16_t> vNetze; // networks it said it is a router to
    std::vector<QX04_NL_PORT> vPorts;  // its table
};
struct SC_KGERAET_Struct {
    std::uint32_t ulInst;
    std::uint16_t usNetz;
    std::vector<unsigned char> vMac;
    IP_PORT stVon; // the device itself, or its router
};
struct SC_KBBMD_Struct {
    IP_PORT stAdr;
    bool bLeitet = false;  // seen forwarding a broadcast
    bool bGefragt = false; // its tables were asked for
    bool bBdt = false, bFdt = false;
    int iBdtNak = -1, iFdtNak = -1;
    std::vector<QX04_BVLL_EINTRAG> vBdt, vFdt;
};
// A range of device instances to ask, [ulVon, ulBis], standing for [ulRestVon, ulRestBis]: what lies beyond
// it is asked once the range has been judged.
struct SC_KBEREICH_Struct {
    std::uint32_t ulVon, ulBis, ulRestVon, ulRestBis;
};
// The discovery's Who-Is into one network through one router: the instance ranges still to ask, the one in
// flight and its I-Ams, and the network's answer time.
struct SC_KSUCHE_Struct {
    std::uint16_t usNetz;
    IP_PORT stRouter;
    std::vector<SC_KBEREICH_Struct> vOffen; // still to ask, the next at the back
    bool bFlug = false;                     // a range is asked, its window running
    SC_KBEREICH_Struct stFlug{0, 0, 0, 0};
    std::uint32_t ulGesendetMs = 0;
    int iAntworten = 0;               // I-Ams of the range in flight
    std::set<std::uint32_t> sGehoert; // instances heard from the network through the router
    std::uint32_t ulBasisMs = 0;      // the quickest first I-Am after a Who-Is, 0 = none yet
    bool bAbgewiesen = false;         // the router says it routes nowhere to the network
    std::uint32_t ulWhoIs = 0;        // Who-Is sent
};

struct SC_KARTE_Struct {
    bool bEntdecken = false; // -N
    std::string sDot;        // -G: the file, empty = none
    bool bEntdeckt = false;  // routers were asked
    long lLokal = -1;        // the own network's number, -1 = not known
    bool bLokalKonf = false;
    IP_PORT stLokalVon{0xFFFFFFFF, 0};
    std::vector<SC_KROUTER_Struct> vRouter;
    std::vector<SC_KGERAET_Struct> vGeraet;
    std::vector<SC_KBBMD_Struct> vBbmd;
    std::vector<SC_KSUCHE_Struct> vSuche;
    std::map<std::uint32_t, int> mAusgang; // by instance: 1 read to its end, 0 not
};
extern SC_KARTE_Struct stSC_Karte;

// One network of the map, as the outputs show it.
struct SC_KNETZ_Struct {
    std::uint16_t usNetz;
    std::vector<IP_PORT> vRouter; // routers that claim it
    std::vector<IP_PORT> vUeber;  // routers its devices answered through
    int iPortId = -1;             // from the table of the first router that lists it
    std::string sInfo;            // the port's info there, hex
    const char *cArt = nullptr;   // "mstp", "ip", or not known
    std::vector<std::uint32_t> vGeraete, vUnvollst;
};
// Receives for iMs milliseconds (or until pfFertig, asked after each datagram, says so): every datagram to
// the map first, the rest onward.
void SC_KARTE_WARTEN(int iMs, bool (*pfFertig)() = nullptr);
// The Who-Is into every network known, range by range, until all are asked.
void SC_KARTE_SUCHE();
// A frame of iLen bytes in ucBuf to stZiel, or broadcast into the scanner's own network (stZiel null).
void SC_KARTE_SENDEN(const IP_PORT *stZiel, const unsigned char *ucBuf, int iLen);
constexpr int SC_KARTE_FRAGE_MS = 1000;                 // the answers to a question of the discovery, at most
constexpr std::uint32_t SC_KARTE_SUCHE_MAX_MS = 120000; // the Who-Is of all networks, at most

// Every network but the scanner's own, ascending.
std::vector<SC_KNETZ_Struct> SC_KARTE_NETZLISTE();

constexpr int SC_KONFLIKT_ZWEI_ROUTER = 0; // two routers claim one network
constexpr int SC_KONFLIKT_ZWEI_WEGE = 1;   // a network reached through two routers
constexpr int SC_KONFLIKT_HERRENLOS = 2;   // devices name a network no router claims
constexpr int SC_KONFLIKT_NIRGENDS = 3;    // a router answers but routes nowhere
constexpr int SC_KONFLIKT_BDT = 4;         // a BBMD's table misses a subnet another one lists
constexpr int SC_KONFLIKT_INSTANZ = 5;     // a device instance at two addresses
inline constexpr const char *SC_KONFLIKT_NAME[] = {"network-claimed-twice", "network-via-two-routers",
                                                   "network-unclaimed",     "router-routes-nowhere",
                                                   "bdt-misses-subnet",     "instance-twice"};
struct SC_KONFLIKT_Struct {
    int iArt;
    std::uint16_t usNetz = 0;
    std::uint32_t ulInst = 0xFFFFFFFF;
    std::vector<IP_PORT> vWer;         // routers or BBMDs concerned; for a BBMD's table the BBMD, then
                                       // for each entry it misses the BBMD that lists it
    std::vector<IP_PORT> vFehlt;       // a BBMD's table: the entries it misses
    std::vector<std::uint32_t> vInst;  // the devices on a network no router claims
    std::vector<std::uint16_t> vNetze; // an instance twice: its networks (0 = the own one)
};
// Each conflict once, in the order of the kinds above, then by network or instance.
std::vector<SC_KONFLIKT_Struct> SC_KARTE_KONFLIKTE();
// "a.b.c.d#port" of an endpoint.
std::string SC_KARTE_ADR(const IP_PORT &st);
// Endpoints compared by address and port.
inline bool SC_KARTE_GLEICH(const IP_PORT &a, const IP_PORT &b) {
    return a.ulAdr == b.ulAdr && a.usPort == b.usPort;
}
// Numbers separated by blanks, the first uMax of them and "..." for the rest.
template <class T> std::string SC_KARTE_LISTE(const std::vector<T> &v, std::size_t uMax) {
    std::string s;
    for (std::size_t i = 0; i < v.size() && i < uMax; i++)
        s += (i > 0 ? " " : "") + std::to_string(v[i]);
    return v.size() > uMax ? s + " ..." : s;
}
// Distinct device instances on the map.
std::size_t SC_KARTE_GERAETE();
