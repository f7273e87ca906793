// The scan as EDE files (-X<prefix>): <prefix>_EDE.csv with a row per device and per data point, and
// <prefix>_StateTexts.csv with the state texts they refer to, in UTF-8, the texts whole as the devices sent
// them. The walk tells it what comes through the calls below; each returns at once without -X.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct SC_SCAN_Struct;
struct SC_WERT_Struct;

constexpr int SC_EDE_ZUST_MAX = 255; // states read of one object at most, whatever count a device claims

// What a data point gave, in UTF-8; empty where the device refused or sent no text.
struct SC_EDE_PUNKT_Struct {
    std::string sId, sAdr;      // data-point id and BACnet address text of its reference-file line
    std::string sName, sBeschr; // object name and description, whole
    std::uint32_t ulObjId = 0;
    long lEinheit = -1;              // units of an analog point, -1 = not read
    int iZustaende = -1;             // number of states of a multi-state point, -1 = not read
    std::vector<std::string> vTexte; // two-state: inactive, active; multi-state: state 1, 2, ...
};

struct SC_EDE_GERAET_Struct {
    bool bGestartet = false;
    std::uint32_t ulDev = 0;
    std::string sName;           // the device object's name
    SC_EDE_PUNKT_Struct stPunkt; // the data point in progress
    std::vector<SC_EDE_PUNKT_Struct> vPunkte;
};

struct SC_EDE_Struct {
    bool bAn = false;
    std::string sPrefix;
    std::vector<SC_EDE_GERAET_Struct> vGeraet; // by device table index
};
extern SC_EDE_Struct stSC_Ede;

// ---- Option and set-up
// -X<prefix>; -X alone is ignored like an unknown option.
void SC_EDE_OPTION(const char *cArg);
// Before anything is sent: both files can be created (0), else the console error and -14.
int SC_EDE_PRUEFEN();
// The two file names.
std::string SC_EDE_NAME(bool bZustaende);
// ---- What the walk tells
void SC_EDE_DEV_ANFANG(const SC_SCAN_Struct *stScan, std::uint32_t ulDev);
// Whether ulObjId is the device object of device ulDev and -X asks its name.
bool SC_EDE_OBJEKT(std::uint32_t ulObjId, std::uint32_t ulDev);
// An object-list element answered (its tag and value): the device's own object stays in progress for its
// name.
void SC_EDE_ELEMENT(SC_SCAN_Struct *stScan, int iTag, std::uint32_t ulWert);
// The answer to the step in progress, before the step takes it: the value kept whole. True when it was the
// device object's name, which the walk's steps must not see (the object is then done, without a line).
bool SC_EDE_WERT(SC_SCAN_Struct *stScan, int iErg, const SC_WERT_Struct *stWert);
// States to read of the object in progress: iNoState, or with -X the device's count if it is more.
int SC_EDE_ZUSTAENDE(const SC_SCAN_Struct *stScan, int iNoState);
// The object in progress has become its data line.
void SC_EDE_ZEILE(const SC_SCAN_Struct *stScan);
// ---- Texts
// The character string at the value handed to a step, whole and in UTF-8; false when it holds none.
bool SC_EDE_TEXT(const SC_WERT_Struct *stWert, std::uint16_t usPropId, std::string *sText);
// iLen bytes of BACnet character set ucSatz as UTF-8, up to the first zero character. UTF-8 stays, ISO
// 8859-1, UCS-2 and UCS-4 are converted; invalid UTF-8 and the other sets are taken as the loader's code page
// would show them.
std::string SC_EDE_UTF8(const unsigned char *ucText, std::size_t uLen, unsigned char ucSatz);
// A CSV field: quoted when it holds ';', '"' or a line break.
std::string SC_EDE_FELD(const std::string &s);
// ---- At the end
// Both files as text (for the end, and for tests).
void SC_EDE_TEXTE(std::string *sEde, std::string *sZustaende);
// Both files written to temporary names and renamed: iErg, or -24 when one could not be written (reported).
int SC_EDE_ENDE(int iErg);
// The record of device table index uDev, made when needed.
SC_EDE_GERAET_Struct &SC_EDE_GERAET(std::uint32_t uDev);
