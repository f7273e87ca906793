// The reference file netscn.ref and the device file netscn.dev: the object record and the operations that
// turn it into a data line.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

extern FILE *fpSC_REF;        // reference file netscn.ref
extern FILE *fpSC_DEV;        // device file netscn.dev
extern char cSC_REF_Buf[256]; // line buffer of the reference file

constexpr int SC_ANZ_STATE = 9;  // state texts kept per object
constexpr int SC_LEN_STATE = 32; // characters kept per state text
constexpr unsigned char SC_KEIN_OVR = 255;

// What the scan collected about the object in progress.
struct SC_OBJ_Struct {
    std::uint32_t ulDev;    // device instance
    std::uint32_t ulObjId;  // object identifier (type in the upper 10 bits)
    unsigned uDP_Type;      // data-point type 1-4, 0 = none
    char cBnAdr[32];        // BACnet address text, "Device %lu" while the object list is read
    char cDpId[24];         // data-point id: 16 characters, 17 for the default form
    char cText[24];         // text, up to 23 characters
    unsigned char ucAtbOvr; // code override from the description, SC_KEIN_OVR = none
    unsigned uAtb;          // attribute code of an analog point (units table)
    unsigned uPolar;        // polarity value of a two-state or multi-state point
    int NoState;            // number of states, -1 = not yet read
    char cState[SC_ANZ_STATE][SC_LEN_STATE + 1];
};

// Data-point type (0 = no data point) and short name of a BACnet object type.
unsigned SC_OBJTYP(unsigned uObjTyp, const char **cKurz);
// Empties the record for the next object-list element of a device.
void SC_OBJ_NEU(SC_OBJ_Struct *stObj, std::uint32_t ulDev);
// Takes an object-list element: identifier, type, address text, default id; -1 when it gives no data point.
int SC_OBJ_SETZEN(SC_OBJ_Struct *stObj, std::uint32_t ulObjId);
// Data-point id from the object name (-E, -B, -A); -1 when -B is set and not in the name (object dropped).
int SC_DPID(SC_OBJ_Struct *stObj, const char *cName);
// Text and code override from the description.
void SC_DESCR(SC_OBJ_Struct *stObj, const char *cBeschr);
// Attribute code of a BACnet engineering unit: 255 when not in the table.
unsigned SC_UNITS(long lUnits);
// Normalises a state text for comparing: high-bit bytes to '_', lower case (0x61-0x7F) lowered by 0x20.
void SC_NORM_TEXT(char *cText);
// Matches the state texts against the catalogue: code found (0-255) or -1; may invert *uPolar.
int SC_STATE_MATCH(SC_OBJ_Struct *stObj, unsigned *uPolar);
// Attribute code of the finished object; *uPolar receives the polarity flag of the line.
unsigned SC_ATB_KODE(SC_OBJ_Struct *stObj, unsigned *uPolar);
// Writes the object's data line to the reference file and flushes it; raises *uZeile; 0 or -21.
int SC_REF_LINE(SC_OBJ_Struct *stObj, unsigned *uZeile);
// The object's data line with number uZeile in cSC_REF_Buf: its length, -1 when it does not fit.
int SC_REF_TEXT(SC_OBJ_Struct *stObj, unsigned uZeile);
// Control characters among the first uLen bytes of a line become blanks: one data point, one line.
void SC_REF_BLANKS(char *cZeile, std::size_t uLen);
// Writes iLen bytes of cSC_REF_Buf to the reference file and flushes it; 0, or -21 with the message.
int SC_REF_WRITE(int iLen);
// Writes the header line of the reference file and flushes it; 0 or -21.
int SC_REF_HEAD();
