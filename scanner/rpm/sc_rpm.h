// ReadPropertyMultiple (-M). A device is read in batches: object-list elements, then the properties of
// several objects. Every value of an answer goes to the step that would have asked for it by ReadProperty,
// through the same handling, so the same lines come out.
#pragma once
#include <array>
#include <cstdint>
#include <vector>
#include "bacnet/bn.h"

struct SC_SCAN_Struct;
struct SC_ANTWORT_Struct;

constexpr int SC_RPM_APDU0 = 480;                           // max APDU of a device that sent no I-Am
constexpr int SC_RPM_APDU_MIN = 50, SC_RPM_APDU_MAX = 1476; // what a frame of ours can take
constexpr int SC_RPM_LISTE0 = 16; // list elements of the first batch, before the length
constexpr unsigned SC_RPM_TEXT0 = 40, SC_RPM_FELD0 = 160; // value bytes assumed before any were seen

// An object-list element read ahead: its value as the value decoders give it, or its refusal.
struct SC_VORRAT_Struct {
    int iTag; // application tag of the value (-1 none), or QX04_MSG_FEHLER - code of the refusal
    std::uint32_t ulWert;
};

// How many list elements or objects a batch may ask for: halved when one goes unanswered or is aborted,
// doubled again after each answered batch, but never again above half of a size that failed twice.
struct SC_RPM_MENGE_Struct {
    int iMax;   // the limit now
    int iDecke; // the most it may grow back to
    int iFehl;  // the smallest size that failed, 0 = none yet
};

// Text properties whose longest value the device sent is learnt each by itself.
constexpr int SC_RPM_WERTE = 5;
// Its slot for property ulProp, -1 for a property not learnt by itself.
int SC_RPM_WERT_NR(std::uint32_t ulProp);

// The started object-list element still awaits its value: asked again by ReadPropertyMultiple, or by
// ReadProperty.
constexpr int SC_RPM_OFFEN_RPM = 1, SC_RPM_OFFEN_RP = 2, SC_RPM_OFFEN_GANZ = 3;

struct SC_RPM_Struct {
    bool bNurRP;  // the device is read by ReadProperty alone: no -M, or it refused ReadPropertyMultiple
    bool bObjRP;  // the object in progress is read by ReadProperty: its batch of one failed
    int iElement; // 0, or SC_RPM_OFFEN_...
    SC_RPM_MENGE_Struct stListe, stObjekte;
    int iEinzeln;          // batches of one that failed; the second ends ReadPropertyMultiple for the device
    long lListeLen;        // length of the object list from element 0, -1 = not known
    unsigned uText, uFeld; // largest text and state-text array the device sent (value bytes), 0 = none yet
    // The same for each text property of the request table (SC_RPM_WERT_NR): a batch's answer is estimated
    // property by property, short names beside long descriptions.
    std::array<unsigned, SC_RPM_WERTE> auWert;
    bool bVorsicht;        // a batch of objects failed: estimated by the longest of each kind again
    int iVorErst, iVorAnz; // elements read ahead: object-list indexes iVorErst to iVorErst + iVorAnz - 1
    std::vector<SC_VORRAT_Struct> aVor; // room for them: a batch's, or a whole list's
    bool bGanzNein;  // the device did not give its object list whole: it is read in batches
    bool bGanzStill; // the last whole list asked went unanswered
    bool bSegNein;   // the device refused a request that took segmented answers: none takes them again
};

constexpr int SC_FEHLER_ARRAY_INDEX =
    QX04_MSG_FEHLER - 42; // Error invalid-array-index, as a ReadProperty would get
// Element size of an object list read whole: an object identifier's tag and its four bytes.
constexpr int SC_RPM_OBJID_BYTES = 5;

// Starting values for a device.
void SC_RPM_NEU(SC_RPM_Struct *stRpm);
// Send step for device ulDev: 1 a request was sent, 0 nothing to send now, -1 the next request is the walk's
// ReadProperty.
int SC_RPM_ANFRAGE(SC_SCAN_Struct *stScan, std::uint32_t ulDev);
// Object-list elements from the one started on, as many as the answer can hold: as SC_RPM_ANFRAGE.
int SC_RPM_LISTE(SC_SCAN_Struct *stScan, std::uint32_t ulDev);
// The object in progress and the next data points read ahead, as many as the answer can hold.
int SC_RPM_OBJEKTE(SC_SCAN_Struct *stScan, std::uint32_t ulDev);
// Builds and sends a ReadPropertyMultiple of iRefs references (iDienst: SC_DIENST_LISTE or _OBJEKTE, iAnz
// elements or objects): 1 sent, 0 it could not be built.
int SC_RPM_SENDEN(SC_SCAN_Struct *stScan, std::uint32_t ulDev, const QX04_BN_RPMREF *aRef, int iRefs,
                  int iDienst, int iAnz);
// Bytes an answer of the device at table index uDev may have: its max APDU, within what a frame can take.
int SC_RPM_APDU(std::uint32_t uDev);
// What came back for the outstanding ReadPropertyMultiple, or for the whole object list.
void SC_RPM_ANTWORT(SC_SCAN_Struct *stScan, const SC_ANTWORT_Struct *stAntwort);
// The results of an acknowledgement for list elements, and for objects, with their values as the exchange
// decoded them.
void SC_RPM_LISTE_ANTWORT(SC_SCAN_Struct *stScan, const SC_ANTWORT_Struct *stAntwort);
void SC_RPM_OBJEKTE_ANTWORT(SC_SCAN_Struct *stScan, const SC_ANTWORT_Struct *stAntwort);
// The device's object list in one request, its first element (the length) just started: a ReadProperty of the
// whole array, which a device that segments may answer in segments. As SC_RPM_ANFRAGE.
int SC_RPM_GANZ(SC_SCAN_Struct *stScan, std::uint32_t ulDev);
// What came back for it: the list read ahead and its length handed to the element started, or, for a
// refusal, an Abort, silence or an answer that is no list, the batches from then on.
void SC_RPM_GANZ_ANTWORT(SC_SCAN_Struct *stScan, const SC_ANTWORT_Struct *stAntwort);
// Whether the device's answers may come in segments: it says in its I-Am that it sends them, and it has
// not refused a request that took them.
bool SC_RPM_SEGMENTIERT(const SC_SCAN_Struct *stScan);
// The outstanding ReadPropertyMultiple was aborted or not answered (cGrund): asked again for half as much,
// and a batch of one by ReadProperty.
void SC_RPM_WENIGER(SC_SCAN_Struct *stScan, const char *cGrund);
// An answered batch: the limit grows back.
void SC_RPM_MEHR(SC_RPM_MENGE_Struct *stMenge);
// Starts the next object-list element from the read-ahead and hands it on as its answer: false when it is not
// there.
bool SC_RPM_VORRAT(SC_SCAN_Struct *stScan, std::uint32_t ulDev);
