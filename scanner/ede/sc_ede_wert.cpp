// The answer to the step in progress, kept for the EDE files before the step cuts it for the reference file:
// the name and description whole, the units, the device's number of states and every state text. A refused
// property leaves its field empty. The device object's name ends that object here, without a line.
#include <algorithm>
#include "bacnet/bn.h"
#include "scanner/ede/sc_ede.h"
#include "scanner/report/sc_bericht.h"
#include "scanner/walk/sc_scan.h"

// The number a step answered with, or -1.
static long ZAHL(const SC_WERT_Struct *w, std::uint16_t usProp) {
    std::uint32_t ulWert = 0;
    const int iTag = SC_WERT(w, usProp, &ulWert);
    return iTag < 0 ? -1 : SC_GANZZAHL(iTag, ulWert);
}

bool SC_EDE_WERT(SC_SCAN_Struct *stScan, int iErg, const SC_WERT_Struct *w) {
    if (!stSC_Ede.bAn) return false;
    SC_GANG_Struct &g = stScan->stGang;
    SC_EDE_GERAET_Struct &d = SC_EDE_GERAET(g.uDevIdx);
    SC_EDE_PUNKT_Struct &p = d.stPunkt;
    const bool bDa = iErg == 3;
    if (g.PROP_Modus == 1 && g.stObj.uDP_Type == 0) {
        if (bDa) SC_EDE_TEXT(w, QX04_PROP_OBJECT_NAME, &d.sName);
        if (iErg <= -1000) SC_BERICHT_ABWEIS(stScan, iErg, w);
        g.PROP_Modus = -1;
        return true;
    }
    switch (g.PROP_Modus) {
    case 1: // the first step of every data point
        p = SC_EDE_PUNKT_Struct{};
        if (bDa) SC_EDE_TEXT(w, QX04_PROP_OBJECT_NAME, &p.sName);
        break;
    case 2:
        if (bDa) SC_EDE_TEXT(w, QX04_PROP_DESCRIPTION, &p.sBeschr);
        break;
    case 3:
        if (bDa && g.usPropId == QX04_PROP_UNITS) p.lEinheit = ZAHL(w, QX04_PROP_UNITS);
        break;
    case 4:
        if (g.iStateSlot < 0) {
            if (bDa)
                p.iZustaende = static_cast<int>(
                    std::clamp(ZAHL(w, QX04_PROP_NUMBER_OF_STATES), -1L, static_cast<long>(SC_EDE_ZUST_MAX)));
            break;
        }
        if (static_cast<std::size_t>(g.iStateSlot) >= p.vTexte.size()) p.vTexte.resize(g.iStateSlot + 1);
        if (bDa) SC_EDE_TEXT(w, g.usPropId, &p.vTexte[static_cast<std::size_t>(g.iStateSlot)]);
        break;
    default:
        break;
    }
    return false;
}

int SC_EDE_ZUSTAENDE(const SC_SCAN_Struct *stScan, int iNoState) {
    if (!stSC_Ede.bAn) return iNoState;
    return std::max(iNoState, SC_EDE_GERAET(stScan->stGang.uDevIdx).stPunkt.iZustaende);
}
