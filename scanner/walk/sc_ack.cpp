// Takes the acknowledgement of the outstanding request from the receive buffer into the object record; the
// scan step says what was asked for and where the scan goes next.
#include <algorithm>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/walk/sc_scan.h"

static const char cRoutine[] = "SC_LOOP"; // the trace names the scan loop, whose step this is

// An event about the object in progress: object-list element or object left out.
static void MELDEN(const SC_GANG_Struct *g, int iArt, long lZahl) {
    SC_EREIGNIS_Struct e = SC_GANG_EREIGNIS(iArt, g);
    e.iIndex = g->iObjIdx;
    e.bPunkt = g->stObj.uDP_Type != 0;
    e.lZahl = lZahl;
    SC_MELDEN(&e);
}

// An element that is no data point: the device's own object, which the record stands for, is asked on where
// the request table has rows for it (for the observers).
static bool GERAET_GEFRAGT(const SC_GANG_Struct *g, int iTag, std::uint32_t ulWert) {
    return iTag == QX04_TAG_OBJID && g->iObjIdx >= 1 && ulWert == g->stObj.ulObjId &&
           SC_FRAGE_ZEILE(g) != nullptr;
}

void SC_ACK(SC_SCAN_Struct *stScan, const SC_WERT_Struct *w) {
    SC_GANG_Struct *g = &stScan->stGang;
    SC_OBJ_Struct *o = &g->stObj;
    std::uint32_t ulWert = 0;
    int iTag;
    const char *c;
    switch (g->PROP_Modus) {
    case 0:
        // The reply to index 0 is the size of the list; the device object and other types give no line.
        iTag = SC_WERT(w, &ulWert);
        if (iTag != QX04_TAG_OBJID || SC_OBJ_SETZEN(o, ulWert) != 0)
            g->PROP_Modus = GERAET_GEFRAGT(g, iTag, ulWert) ? 0 : -1;
        MELDEN(g, SC_EV_ELEMENT, iTag >= 0 ? SC_GANZZAHL(iTag, ulWert) : -1);
        break;
    case 1:
        c = SC_TEXT(w);
        if (c == nullptr) break;
        if (SC_DPID(o, c) != 0) {
            g->uZeile++; // the dropped object's line number stays unused
            g->PROP_Modus = -1;
            MELDEN(g, SC_EV_WEG, -1);
        }
        SC_STATUS_ZEILE(o->ulDev, o->cDpId);
        break;
    case 2:
        c = SC_TEXT(w);
        if (c != nullptr)
            SC_DESCR(o, c);
        else
            std::snprintf(o->cText, sizeof o->cText, "%s", o->cDpId);
        break;
    case 3:
        iTag = SC_WERT(w, &ulWert);
        if (iTag < 0) {
            SC_ABWEIS(stScan);
        } else if (o->uDP_Type >= 3) {
            o->uAtb = SC_UNITS(SC_GANZZAHL(iTag, ulWert));
            g->PROP_Modus = SC_FERTIG;
        } else {
            o->uPolar = static_cast<unsigned>(SC_GANZZAHL(iTag, ulWert));
        }
        break;
    case 4:
        if (TEST_T_I || TEST_T_I1)
            UT_TRC("\n\n", cRoutine, "Nach PROP_Modus 4   Index : %d   NoState: %d", g->iStateSlot,
                   o->NoState);
        if (g->iStateSlot < 0) { // number of states
            iTag = SC_WERT(w, &ulWert);
            if (iTag < 0) {
                g->PROP_Modus = SC_FERTIG;
                break;
            }
            // A count below 0 counts as none, so that it is not asked for again and again. The file keeps
            // at most SC_ANZ_STATE; the walk reads as many as the request table asks.
            const long l = std::max(SC_GANZZAHL(iTag, ulWert), 0L);
            o->NoState = static_cast<int>(std::min(l, static_cast<long>(SC_ANZ_STATE)));
            g->iZustaende = static_cast<int>(std::min(l, static_cast<long>(SC_FRAGEN_ZUSTAENDE())));
            g->PROP_Modus = 3;
            break;
        }
        c = SC_TEXT(w);
        if (c != nullptr && g->iStateSlot < SC_ANZ_STATE)
            std::snprintf(o->cState[g->iStateSlot], sizeof o->cState[0], "%.32s", c);
        g->PROP_Modus = g->iStateSlot < g->iZustaende - 1 ? 3 : SC_FERTIG;
        break;
    default:
        break;
    }
}
