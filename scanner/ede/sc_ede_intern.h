// The EDE files' records, private to ede/: filled from the scan's events, written at its end.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "scanner/ede/sc_ede.h"

constexpr int SC_EDE_ZUST_MAX = 255; // states kept of one object at most, whatever count a device claims

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

// The two file names.
std::string SC_EDE_NAME(bool bZustaende);
// ---- What the events do to the records
void SC_EDE_DEV_ANFANG(const SC_EREIGNIS_Struct *stE);
// A value or refusal for a step: the name and description whole, the units, the device's number of states and
// every state text; a refused property leaves its field empty. The device object's name is the device's.
void SC_EDE_WERT(const SC_EREIGNIS_Struct *stE);
// The data point in progress is complete: it joins its device's rows.
void SC_EDE_PUNKT(const SC_EREIGNIS_Struct *stE);
// ---- Texts
// iLen bytes of BACnet character set ucSatz as UTF-8, up to the first zero character. UTF-8 stays, ISO
// 8859-1, UCS-2 and UCS-4 are converted; invalid UTF-8 and the other sets are taken as the loader's code page
// would show them.
std::string SC_EDE_UTF8(const unsigned char *ucText, std::size_t uLen, unsigned char ucSatz);
// A CSV field: quoted when it holds ';', '"' or a line break.
std::string SC_EDE_FELD(const std::string &s);
// ---- At the end
// Both files as text (for the end, and for tests).
void SC_EDE_TEXTE(std::string *sEde, std::string *sZustaende);
// Both files written to temporary names and renamed: 0, or -24 when one could not be written (reported).
int SC_EDE_ENDE();
// The record of device table index uDev, made when needed.
SC_EDE_GERAET_Struct &SC_EDE_GERAET(std::uint32_t uDev);
