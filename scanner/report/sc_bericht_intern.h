// The scan report's records, private to report/: filled from the scan's events, read at its end.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include "scanner/report/sc_bericht.h"

constexpr int SC_AW_KEIN_ROUTER = 5;  // no answer: a router is not a router to the device's network (iCode)

// One refusal or missing answer that changed or cut a line.
struct SC_PROBLEM_Struct {
    std::uint32_t ulObjId;
    long lZeile; // number of the object's line in the file, -1 = none (yet)
    long lPunkt; // the device's data point (counted from 0) whose line gives lZeile, -1 = none
    std::uint16_t usProp;
    int iAntwort;         // SC_AW_..., SC_AW_KEIN_ROUTER
    int iKlasse, iCode;   // error class (-1 unknown) and code, the reject or abort reason, or the network
    const char *cWirkung; // "default-id", "text-is-id", ...
    std::string sId;      // the data-point id at that moment, in the loader's code page
};

struct SC_GERAETBERICHT_Struct {
    bool bGestartet = false;
    int iAusgang = SC_AUS_NICHT;
    long lListeLen = -1;          // from element 0, -1 = not known
    std::uint32_t ulElemente = 0; // object-list elements taken (index 1 on)
    std::uint32_t ulPunkte = 0;   // data points complete
    std::uint32_t ulZeilen = 0;   // their lines written so far
    std::uint32_t ulUebersprungen = 0;
    long lErste = -1, lLetzte = -1; // line numbers, -1 = none
    long lNieVon = 1, lNieBis = 0;  // object-list indexes never read after a time-out or give-up
    std::uint32_t ulAnfragen = 0, ulWdh = 0, ulStille = 0, ulSpaet = 0, ulDauerMs = 0, ulAntwortMs = 0;
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
    bool bDatei = false;       // -J given, with a name or (refused at set-up) without
    std::vector<std::string> vArgumente;
    long long llBeginnSek = 0;     // wall clock at the start, for "started"
    bool bScan = false;            // the scan has started
    int iSignal = 0;               // the interrupt that ended the scan, 0 none
    std::uint32_t ulScanMs = 0;    // monotonic ms at the scan's start, for the router messages
    std::uint32_t ulBeginnMs = 0;  // monotonic ms at the first device's start, for the estimate
    std::uint32_t ulZuletztMs = 0; // last progress line
    bool bOffen = false;           // something the progress line has not shown yet
    std::uint32_t ulLetztDev = 0;  // the device and object the progress line names
    std::string sLetztObj;
    std::vector<SC_GERAETBERICHT_Struct> vGeraet; // by device table index
    std::vector<SC_NETZBERICHT_Struct> vNetz;     // router messages in the order they came
};
extern SC_BERICHT_Struct stSC_Bericht;

// ---- What the events do to the records
void SC_BERICHT_DEV_ANFANG(const SC_EREIGNIS_Struct *stE);
void SC_BERICHT_DEV_ENDE(const SC_EREIGNIS_Struct *stE);
// An object-list element answered; element 0 gives the list's length.
void SC_BERICHT_ELEMENT(const SC_EREIGNIS_Struct *stE);
// A refusal for a step, before the refusal table takes it.
void SC_BERICHT_ABWEIS(const SC_EREIGNIS_Struct *stE);
// A router's message about its networks.
void SC_BERICHT_NETZ(const SC_EREIGNIS_Struct *stE);
// A data line written, with its number in the file.
void SC_BERICHT_ZEILE(const SC_EREIGNIS_Struct *stE);
// ---- At the end
// Before the verdict (iErg and iTimeout time-out verdicts): the console lines, the report written; 0, or -23
// when the report could not be written (reported).
int SC_BERICHT_ENDE(int iErg, int iTimeout);
// The report as JSON text (for the end, and for tests).
std::string SC_BERICHT_JSON(int iErg, int iTimeout);
// -V: the status line of the scan with devices done and known, data points written and the time left.
void SC_FORTSCHRITT_ZEILE(std::uint32_t ulDev, const char *cObj);
// The name BACnet gives number iNr of kind iArt (SC_NAME_...); empty for a number it names not.
constexpr int SC_NAME_KLASSE = 0, SC_NAME_CODE = 1, SC_NAME_REJECT = 2, SC_NAME_ABORT = 3;
std::string_view SC_BERICHT_NAME(int iArt, int iNr);
// The device record of table index uDev, made when needed.
SC_GERAETBERICHT_Struct &SC_BERICHT_GERAET(std::uint32_t uDev);
