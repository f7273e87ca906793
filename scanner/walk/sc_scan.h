// The object walk: device by device, object by object, step by step, as the scan asks its questions and takes
// the answers; and the scan state that holds a walk with its exchange.
#pragma once
#include <cstdint>
#include "scanner/event/sc_ereignis.h"
#include "scanner/exchange/sc_austausch.h"
#include "scanner/reffile/sc_ref.h"
#include "scanner/rpm/sc_rpm.h"

constexpr int SC_FERTIG = 99;         // scan step: object complete
constexpr int SC_LISTE_ENDE = 0xFFFF; // array indexes have 16 bits: a list this long ends there
struct SC_HALT_Struct;
struct SC_FRAGE_Struct;

// Where the walk stands: device, object-list element, step of the object in progress.
struct SC_GANG_Struct {
    int iErg;              // 0, or -21 after a failed write of a data line
    std::uint32_t uDevIdx; // entry of the device table being scanned
    int iObjIdx;           // object-list index last requested, -1 = device not started
    int PROP_Modus; // scan step: -1, 0 list element, 1 name, 2 description, 3 units/polarity, 4 states,
                    // SC_FERTIG
    int iStateSlot; // slot of the state text being read, -1 = none yet (the scan loop's "Index")
    int iZustaende; // state texts the walk reads: the count, within the slots the request table asks, -1 =
                    // not yet (the file keeps at most SC_ANZ_STATE of them)
    const SC_FRAGE_Struct *pFrage; // the request-table row of the step in progress, null at step 0
    std::uint16_t usPropId;        // property of the last request
    unsigned uZeile;               // next data-line number
    SC_OBJ_Struct stObj;           // the object in progress
};

// One scan: the walk of one device at a time and its one outstanding request. The sequential scan has one, a
// place of the parallel scan has one.
struct SC_SCAN_Struct {
    SC_GANG_Struct stGang;
    SC_TRANSAKTION_Struct stAnf;
    SC_RPM_Struct stRpm;
    // Lines of a device scanned ahead of an earlier one are held here until their numbers are known; null:
    // they go to the reference file at once (always so in the sequential scan).
    SC_HALT_Struct *pHalten;
};

// The value or refusal handed to a step, as the exchange decoded it once: the value (none: iTag -1 and ucText
// null), and what refused it.
struct SC_WERT_Struct {
    QX04_BN_WERT_Struct stWert;
    int iPdu; // the answer's APDU type (QX04_PDU_...); a value of a ReadPropertyMultiple answered by an Error
              // in its result counts as an Error
    int iKlasse; // an Error's class, -1 unknown
    int iCode;   // an Error's code, a Reject's or an Abort's reason; -1 none
};
// A value handed to a step that was decoded before: an object-list element read ahead (iTag QX04_MSG_FEHLER -
// code: its refusal).
SC_WERT_Struct SC_WERT_VORRAT(int iTag, std::uint32_t ulWert);

// Starting values of the scan state: first device, no object, deadline 5 seconds ahead.
void SC_SCAN_NEU(SC_SCAN_Struct *stScan);
// Device table entry at the device index is in use (a full table ends after its last entry).
bool SC_DEV_AKTIV(const SC_GANG_Struct *stGang);
// A device is started: its console line, and nothing learnt about the one before.
void SC_DEV_ANFANG(SC_SCAN_Struct *stScan, std::uint32_t ulDev);
// The device's object list has ended: the walk moves to the next entry of the device table.
void SC_DEV_ENDE(SC_SCAN_Struct *stScan);
// Whether the walk finished the device at table index uDev (for the console's duplicate lines).
bool SC_DEV_GESCANNT(std::uint32_t uDev);
// Starts the next object-list element (the first one when the device is not started): false when the list
// ends at the last 16-bit index, and the device with it.
bool SC_OBJ_ANFANG(SC_SCAN_Struct *stScan, std::uint32_t ulDev);
// Send step: the next request for the device at the device index, when one may be sent. True when sent.
bool SC_ANFRAGE(SC_SCAN_Struct *stScan);
// Builds and sends the ReadProperty of the walk's object and property (iArrIdx >= 0: that array element).
bool SC_RP_ANFRAGE(SC_SCAN_Struct *stScan, std::uint32_t ulDev, int iArrIdx);
// The property the next step of the object in progress asks for, and in *iArrIdx the array index of a state
// text (else -1); the walk is not moved.
std::uint16_t SC_FRAGE(const SC_GANG_Struct *stGang, int *iArrIdx);
// The request-table row of that step (nullptr past the last step).
const SC_FRAGE_Struct *SC_FRAGE_ZEILE(const SC_GANG_Struct *stGang);
// Takes that step: the walk moves to it; its property also in usPropId.
std::uint16_t SC_SCHRITT(SC_GANG_Struct *stGang, int *iArrIdx);
// One row of the request table: what the scan asks of a data point at one step.
constexpr unsigned char SC_GR_ANALOG = 1, SC_GR_ZWEI = 2, SC_GR_MEHR = 4; // data-point groups
constexpr unsigned char SC_GR_GERAET = 8; // the device's own object, asked only by rows for the observers
constexpr int SC_ZUST_ALLE = 255; // state texts read at most for an observer, whatever a device claims
constexpr unsigned char SC_W_TEXT = 1, SC_W_ZAHL = 2, SC_W_FELD = 3; // the kind of value answered
constexpr signed char SC_SLOT_BLEIBT = -1, SC_SLOT_WEITER = -2;
constexpr std::uint32_t SC_TYPEN_ALLE = 0xFFFFFFFF;
constexpr std::uint32_t SC_TYP(std::uint32_t ulTyp) {
    return ulTyp < 32 ? std::uint32_t{1} << ulTyp : 0;
}
constexpr int SC_FEHLER_UNBEKANNT = QX04_MSG_FEHLER - 32; // Error unknown-property
struct SC_FRAGE_Struct {
    unsigned char ucGruppen; // the groups that ask it
    signed char cSchritt;    // the scan step
    bool bErst;              // only while nothing of the states is read (state slot and count both -1)
    std::uint16_t usProp;
    unsigned char ucWert;   // SC_W_...
    signed char cSlot;      // state slot afterwards: a slot, SC_SLOT_BLEIBT, or SC_SLOT_WEITER (the next one)
    signed char cZustaende; // state count afterwards, -1 = unchanged
    int iSlotBis = 0;       // a row of SC_SLOT_WEITER asks the slots below this one
    // Rows the table holds only when an observer wants every text (the EDE files), chosen at set-up; an
    // answer to a row told to the observers only is not taken by the walk: the object gives no line.
    bool bGanz = false, bNurMelden = false;
    // The object types (bit n: type n) that have the property by their definition; with -M it is not asked of
    // the others, and the step takes the Error such an object gives (unknown-property).
    std::uint32_t ulTypen = SC_TYPEN_ALLE;
};
// Whether row f is not asked of object ulObjId: -M, and its type lacks the property (null: no row).
bool SC_FRAGE_FEHLT(const SC_FRAGE_Struct *f, std::uint32_t ulObjId);
// The step just taken was not asked (SC_FRAGE_FEHLT): it takes the Error an object of its type gives.
void SC_FRAGE_FEHLT_ANTWORT(SC_SCAN_Struct *stScan);
// The rows for observers that want every text: the device object's name and the state texts past the
// ninth. Chosen at set-up, before the scan.
void SC_FRAGEN_GANZ(bool bGanz);
// State texts the table asks of an object at most.
int SC_FRAGEN_ZUSTAENDE();
// The group of a data point: analog by its data-point type, two-state by its object type (0 to 5), else
// multi-state; an object of no data point in progress (the device's own object) is SC_GR_GERAET.
unsigned char SC_GRUPPE(std::uint32_t ulObjId, unsigned uDP_Type);
// The rows object ulObjId of device ulDev is asked, in the order of its steps, into apFrage (room for
// SC_FRAGEN_MAX): their number, 0 for an object the table asks nothing of. ReadPropertyMultiple asks them at
// once, a state-text array whole.
constexpr int SC_FRAGEN_MAX = 5;
int SC_FRAGEN(std::uint32_t ulObjId, std::uint32_t ulDev, const SC_FRAGE_Struct **apFrage);
// The kind of value (SC_W_...) a property of the table answers with, 0 for one not in it.
unsigned char SC_WERTART(std::uint32_t ulProp);
// What came back for the outstanding request, from the exchange.
void SC_ANTWORT(SC_SCAN_Struct *stScan, const SC_ANTWORT_Struct *stAntwort);
// The answer to the step in progress (iErg QX04_MSG_ACK with its value, SC_ABGELEHNT a refusal), by the
// acknowledgement and refusal tables; a completed object becomes its data line.
void SC_SCHRITT_ANTWORT(SC_SCAN_Struct *stScan, int iErg, const SC_WERT_Struct *stWert);
// The acknowledgement of the step in progress, by scan step.
void SC_ACK(SC_SCAN_Struct *stScan, const SC_WERT_Struct *stWert);
// An Error or Reject for the step in progress, by scan step.
void SC_ABWEIS(SC_SCAN_Struct *stScan);
// The number handed to a step: its application tag and its value in *ulWert, or -1 when it is none.
int SC_WERT(const SC_WERT_Struct *stWert, std::uint32_t *ulWert);
// A numeric value of a step truncated toward zero; -1 for a value no integer can hold.
long SC_GANZZAHL(int iTag, std::uint32_t ulWert);
// Text handed to a step, as the reference file needs it: UCS-2 and UCS-4 always in the loader's code page,
// UTF-8 and ISO 8859-1 with -U, every other set byte for byte; null when none; valid until the next call.
const char *SC_TEXT(const SC_WERT_Struct *stWert);
// The console's status line of the scan: the device started, or the object whose name came (cObj); an
// observer that writes its own (the progress line) takes its place.
void SC_STATUS_ZEILE(std::uint32_t ulDev, const char *cObj);
// A finished object's line: to the file, or held while an earlier device is in progress; 0 or -21.
int SC_ZEILE_AUSGEBEN(SC_SCAN_Struct *stScan);
// Holds line iNr (counted from the device's first line) of a device scanned ahead: the iLen bytes in
// cSC_REF_Buf, whose number is written when the device's turn comes (the parallel scan keeps them).
void SC_ZEILE_HALTEN(SC_HALT_Struct *stHalt, unsigned iNr, int iLen);
// The end of the device in progress, from whichever loop ends it (iAusgang SC_AUS_...): its exchange's trace
// and the event. The one place a device's end is told.
void SC_DEV_SCHLUSS(const SC_SCAN_Struct *stScan, int iAusgang);
// An event of kind iArt about where the walk stands: device, object in progress, property and step.
SC_EREIGNIS_Struct SC_GANG_EREIGNIS(int iArt, const SC_GANG_Struct *stGang);
// The answer to the step in progress, told to the observers once: the value or refusal as decoded.
void SC_WERT_MELDEN(const SC_SCAN_Struct *stScan, int iErg, const SC_WERT_Struct *stWert);
