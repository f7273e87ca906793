// What the scan could not read, per device and data point: the scan report (-J<file>, JSON) and the progress
// with an estimate (-V). The walk, the exchange and the loops tell it what happens, through the calls below;
// each returns at once when neither option is given.
#pragma once
#include <cstdint>
#include "ip/ip.h"
#include <string>
#include <vector>

struct SC_SCAN_Struct;
struct SC_WERT_Struct;

// How a device's scan ended.
constexpr int SC_AUS_NICHT = 0, SC_AUS_KOMPLETT = 1, SC_AUS_TIMEOUT = 2, SC_AUS_AUFGEGEBEN = 3;

// One refusal or missing answer that changed or cut a line.
struct SC_PROBLEM_Struct {
    std::uint32_t ulObjId;
    long lZeile;    // number of the object's line, -1 = none
    bool bGehalten; // the number counts from the device's first line (a device scanned ahead)
    std::uint16_t usProp;
    int iPdu;             // QX04_PDU_ERROR, _REJECT or _ABORT; 0 = no answer
    int iKlasse, iCode;   // error class (-1 unknown) and code, or the reject or abort reason
    const char *cWirkung; // "default-id", "text-is-id", ...
    std::string sId;      // the data-point id at that moment, in the loader's code page
};

struct SC_GERAETBERICHT_Struct {
    bool bGestartet = false;
    int iAusgang = SC_AUS_NICHT;
    long lListeLen = -1;          // from element 0, -1 = not known
    std::uint32_t ulElemente = 0; // object-list elements taken (index 1 on)
    std::uint32_t ulPunkte = 0;   // data lines written
    std::uint32_t ulUebersprungen = 0;
    long lErste = -1, lLetzte = -1;             // line numbers, -1 = none
    bool bErsteRel = false, bLetzteRel = false; // counted from the device's first line (held): uBasis + n
    unsigned uBasis = 0; // the file's number of a held device's first line, once its turn came
    std::uint32_t ulAnfragen = 0, ulWdh = 0, ulStille = 0, ulDauerMs = 0, ulAntwortMs = 0;
    const char *cRpm = "off";
    std::vector<SC_PROBLEM_Struct> vProbleme;
};

// A router's message about its networks (Router-Busy, Router-Available, Reject-Message-To-Network).
struct SC_NETZBERICHT_Struct {
    std::string sRouter;
    unsigned uTyp, uGrund;
    std::vector<unsigned> vNetze;
    std::uint32_t ulNachMs; // ms after the scan's start
};
constexpr std::size_t SC_NETZBERICHT_MAX =
    1000; // kept at most: a router that repeats itself says little more

struct SC_BERICHT_Struct {
    bool bAn = false;          // -J or -V given
    bool bFortschritt = false; // -V
    std::string sDatei;        // -J: the report's name, empty = none
    std::vector<std::string> vArgumente;
    long long llBeginnSek = 0;                    // wall clock at the start, for "started"
    std::uint32_t ulBeginnMs = 0;                 // monotonic ms at the start of the scan, for the estimate
    std::uint32_t ulZuletztMs = 0;                // last progress line
    std::vector<SC_GERAETBERICHT_Struct> vGeraet; // by device table index
    std::vector<SC_NETZBERICHT_Struct> vNetz;     // router messages in the order they came
};
extern SC_BERICHT_Struct stSC_Bericht;

// ---- Options and set-up
// -J<file> or -V: true when the argument was one of them.
bool SC_BERICHT_OPTION(const char *cArg);
// Before anything is sent: the command line kept, and a file of the report's name can be created next to it
// (0), else the console error and -13.
int SC_BERICHT_PRUEFEN(int argc, char **argv);
// ---- What the scan tells
void SC_BERICHT_DEV_ANFANG(const SC_SCAN_Struct *stScan);
void SC_BERICHT_DEV_ENDE(const SC_SCAN_Struct *stScan, int iAusgang);
// An object-list element answered: a data point (bPunkt) or not; element 0 gives the list's length.
void SC_BERICHT_ELEMENT(const SC_SCAN_Struct *stScan, bool bPunkt, long lLaenge);
// An object dropped because its name lacks the -B text.
void SC_BERICHT_WEG(const SC_SCAN_Struct *stScan);
// A refusal (iErg -1000 and below) for the step in progress, before the refusal table takes it.
void SC_BERICHT_ABWEIS(const SC_SCAN_Struct *stScan, int iErg, const SC_WERT_Struct *stWert);
// A router's message about its networks, as the parallel scan acts on it.
void SC_BERICHT_NETZ(const IP_PORT *stRouter, unsigned uTyp, unsigned uGrund, const std::uint16_t *ausNetz,
                     int iAnz);
// A data line of the device, numbered uZeile.
void SC_BERICHT_ZEILE(const SC_SCAN_Struct *stScan, unsigned uZeile);
// A device scanned ahead comes to its turn: its first line gets number uBasis.
void SC_BERICHT_BASIS(std::uint32_t uDev, unsigned uBasis);
// ---- At the end
// Before the verdict (iErg and iTimeout time-out verdicts): the console lines, the report written. The
// scan's result: iErg, or -23 when the report could not be written (reported).
int SC_BERICHT_ENDE(int iErg, int iTimeout);
// The report as JSON text (for the end, and for tests).
std::string SC_BERICHT_JSON(int iErg, int iTimeout);
// -V: the status line of the scan with devices done and known, data points written and the time left.
void SC_FORTSCHRITT_ZEILE(std::uint32_t ulDev, const char *cObj);
// The device record of table index uDev, made when needed.
SC_GERAETBERICHT_Struct &SC_BERICHT_GERAET(std::uint32_t uDev);
