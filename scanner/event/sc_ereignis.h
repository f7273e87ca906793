// What happens in a scan, told once: the walk, the exchange and the loops describe each happening in one
// record and raise it through SC_MELDEN; the observers registered at set-up (the scan report, the progress
// line, the EDE files) take what they want of it. Needs nothing but <cstdint>, so that any folder may raise.
#pragma once
#include <cstdint>

// ---- Kinds
constexpr int SC_EV_SCAN_ANFANG = 1; // both loops start: before the first device
constexpr int SC_EV_SCAN_ENDE = 2;   // before the verdict: iErg, iTimeout; observers write their files
constexpr int SC_EV_DEV_ANFANG = 3;  // a device is started
constexpr int SC_EV_DEV_ENDE = 4;    // a device's scan ended: stEnde, iIndex (the element the end cut)
constexpr int SC_EV_ELEMENT = 5;     // an object-list element answered: iIndex, ulObjId, lZahl, bPunkt
constexpr int SC_EV_WEG = 6;         // an object left out for its name (-B)
constexpr int SC_EV_WERT = 7;        // a value or refusal for a step: iSchritt, usProp, iIndex, stWert, lZahl
constexpr int SC_EV_PUNKT = 8;       // the object in progress is complete as a data point: cId, cAdr
constexpr int SC_EV_ZEILE = 9;       // a data line written to the file, with its final number lZeile
constexpr int SC_EV_STATUS = 10;     // the status line: the device started (cId null) or the object cId
constexpr int SC_EV_GESENDET = 11;   // a request sent (a first try): stAnfrage
constexpr int SC_EV_ANTWORT = 12;    // an answer to an outstanding request: stAnfrage
constexpr int SC_EV_WIEDERHOLT = 13; // an unanswered request sent again: stAnfrage
constexpr int SC_EV_AUFGEGEBEN = 14; // an unanswered request given up: stAnfrage
constexpr int SC_EV_NETZ = 15;       // a router's message about its networks: stNetz
constexpr int SC_EV_TAKT = 16;       // the scan waits: told by an idle pass, at most every SC_TAKT_MS
constexpr unsigned SC_TAKT_MS = 250;
constexpr int SC_EV_WHOIS = 17; // set-up: the Who-Is is due, and an observer sends its own in its place

// How a step was answered.
constexpr int SC_AW_KEINE = 0, SC_AW_WERT = 1, SC_AW_FEHLER = 2, SC_AW_REJECT = 3, SC_AW_ABORT = 4;
// How a device's scan ended.
constexpr int SC_AUS_NICHT = 0, SC_AUS_KOMPLETT = 1, SC_AUS_TIMEOUT = 2, SC_AUS_AUFGEGEBEN = 3;
constexpr int SC_AUS_UNTERBROCHEN = 4; // started, and cut by an interrupt
// How a device took ReadPropertyMultiple.
constexpr int SC_MEHR_AUS = 0, SC_MEHR_GENUTZT = 1, SC_MEHR_ZURUECK = 2, SC_MEHR_ABGELEHNT = 3;

// A value or refusal, decoded once.
struct SC_EV_WERT_Struct {
    int iAntwort;         // SC_AW_...
    int iKlasse, iCode;   // an Error's class (-1 unknown) and code; a Reject's or Abort's reason in iCode
    int iTag;             // a value's application tag, -1 none
    std::uint32_t ulWert; // its bits (a number, an enumeration, a real as its bits)
    const unsigned char *ucText; // a character string's bytes (after the set byte), null when none
    std::uint32_t ulTextLen;
    unsigned char ucSatz; // its BACnet character set
};

// The end of a device's scan and what its exchange counted.
struct SC_EV_ENDE_Struct {
    int iAusgang;                              // SC_AUS_...
    std::uint32_t ulAnfragen, ulWdh, ulStille; // requests (first tries), repetitions, tries left unanswered
    std::uint32_t ulSpaet;                     // requests answered only after their timer ran out
    std::uint32_t ulDauerMs;                   // since the device's first request
    std::uint32_t ulAntwortMs;                 // its smoothed answer time
    int iMehr;                                 // SC_MEHR_...
};

// A request of the exchange.
struct SC_EV_ANFRAGE_Struct {
    unsigned char ucInvoke;
    int iArt;                   // the exchange's kind of request (ReadProperty, ReadPropertyMultiple)
    int iVersuch;               // repetitions sent so far
    std::uint32_t ulGesendetMs; // its first try (monotonic ms)
    std::uint32_t ulDauerMs;    // an answer: since the try it answered; otherwise since the first try
};

// A router's message about its networks (Router-Busy, Router-Available, Reject-Message-To-Network).
struct SC_EV_NETZ_Struct {
    std::uint32_t ulAdr; // the router's IP address and UDP port
    std::uint16_t usPort;
    unsigned uTyp, uGrund;
    const std::uint16_t *ausNetz; // the networks it named
    int iNetze;
};

struct SC_EREIGNIS_Struct {
    int iArt;              // SC_EV_...
    std::uint32_t ulMs;    // monotonic ms when it happened; 0: SC_MELDEN takes the time
    std::uint32_t uDev;    // device table index
    std::uint32_t ulDev;   // device instance
    std::uint32_t ulObjId; // the object in progress
    std::uint16_t usProp;  // the property asked
    int iIndex;            // its array index (an object-list element's), -1 none
    int iSchritt;          // the walk's step: 0 list element, 1 name, 2 description, 3 units or polarity,
                           // 4 states; -1 between objects
    bool bPunkt;           // an element: it is a data point
    long lZahl;            // element 0: the list's length; a value: its number as the walk takes it; -1 none
    long lZeile;           // a written line's final number
    const char *cId;       // the data-point id (the loader's code page), or the status line's object
    const char *cAdr;      // the line's BACnet address text
    int iErg, iTimeout;    // the scan's end: its result so far and the number of time-out verdicts
    int iSignal;           // the scan's end: the interrupt that cut it, 0 none
    SC_EV_WERT_Struct stWert;
    SC_EV_ENDE_Struct stEnde;
    SC_EV_ANFRAGE_Struct stAnfrage;
    SC_EV_NETZ_Struct stNetz;
};

// ---- Observers, in the style of a stdio FILE: a record of functions, registered at set-up.
struct SC_BEOBACHTER_Struct {
    void (*pfNeu)();                         // start values, before the options are read; may be null
    bool (*pfOption)(const char *cArg);      // takes its option: true when cArg was one; may be null
    int (*pfPruefen)(int argc, char **argv); // before anything is sent: 1 on, 0 off, or an error (reported)
    int (*pfMelden)(const SC_EREIGNIS_Struct *stE); // an event: 0, or at the scan's end a write error
    bool bStatuszeile;                              // writes its own status line in place of the console's
    bool bGanz;    // wants every text: the device object's name, the state texts past the ninth
    bool bWhoIs;   // sends its own Who-Is in place of the set-up's, when told SC_EV_WHOIS
    bool bDateien; // writes files at the scan's end: an interrupt has them written first
    // Its part of the scan report: a JSON object whose members join the report's, valid until the next call;
    // may be null, and may return null.
    const char *(*pfBericht)();
};
constexpr int SC_BEOBACHTER_MAX = 8;

// No observer registered.
void SC_BEOBACHTER_LEER();
// Registers an observer for the events from now on: false when the table is full.
bool SC_ANMELDEN(const SC_BEOBACHTER_Struct *stB);
// Hands the event to every registered observer in the order registered: 0, or the first error one returned.
int SC_MELDEN(const SC_EREIGNIS_Struct *stE);
// Whether any observer is registered: an event that costs decoding is built only then.
bool SC_BEOBACHTET();
// Whether a registered observer writes the scan's status line itself.
bool SC_STATUSZEILE_ERSETZT();
// Whether a registered observer wants every text: the device object's name and every state text.
bool SC_GANZ_GEFRAGT();
// Whether a registered observer sends its own Who-Is in place of the set-up's.
bool SC_WHOIS_ERSETZT();
// Whether a registered observer writes files at the scan's end.
bool SC_DATEIEN_BEOBACHTET();
// The parts of the scan report that registered observers add: each JSON object text into acTeil (room for
// SC_BEOBACHTER_MAX), their number.
int SC_BEOBACHTER_TEILE(const char **acTeil);
