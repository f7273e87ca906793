// State of the refdiff program: options, the two files, the comparison's result, the fields it shows.
#include "refdiff/rd.h"

int iRD_Key = iRD_KEY_ADR;
int iRD_Json;
int iRD_Utf8;
RD_DATEI_Struct stRD_Datei[2];
RD_ERG_Struct stRD_Erg;

const RD_FELD_Struct stRD_Feld[6] = {
    {uRD_F_ID, "Id", "id", &RD_PUNKT_Struct::sId, true},
    {uRD_F_TYP, "Typ", "type", &RD_PUNKT_Struct::sTyp, false},
    {uRD_F_ATB, "Attributcode", "code", &RD_PUNKT_Struct::sAtb, false},
    {uRD_F_TEXT, "Text", "text", &RD_PUNKT_Struct::sText, true},
    {uRD_F_ADR, "Adresse", "address", &RD_PUNKT_Struct::sAdr, true},
    {uRD_F_POLAR, "Polarität", "polarity", &RD_PUNKT_Struct::sPolar, false},
};
