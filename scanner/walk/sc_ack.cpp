// Takes the acknowledgement of the outstanding request from the receive buffer into the object record; the
// scan step says what was asked for and where the scan goes next.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/ede/sc_ede.h"
#include "scanner/report/sc_bericht.h"
#include "scanner/walk/sc_scan.h"

static const char cRoutine[] = "SC_LOOP"; // the trace names the scan loop, whose step this is

void SC_ACK(SC_SCAN_Struct *stScan, const SC_WERT_Struct *w) {
    SC_GANG_Struct *g = &stScan->stGang;
    SC_OBJ_Struct *o = &g->stObj;
    std::uint32_t ulWert = 0;
    int iTag;
    const char *c;
    switch (g->PROP_Modus) {
    case 0:
        // The reply to index 0 is the size of the list; the device object and other types give no line.
        iTag = SC_WERT(w, QX04_PROP_OBJECT_LIST, &ulWert);
        if (iTag != QX04_TAG_OBJID || SC_OBJ_SETZEN(o, ulWert) != 0) g->PROP_Modus = -1;
        SC_BERICHT_ELEMENT(stScan, g->PROP_Modus == 0, iTag >= 0 ? SC_GANZZAHL(iTag, ulWert) : -1);
        SC_EDE_ELEMENT(stScan, iTag, ulWert); // -X: the device's own object is asked its name
        break;
    case 1:
        c = SC_TEXT(w, QX04_PROP_OBJECT_NAME);
        if (c == nullptr) break;
        if (SC_DPID(o, c) != 0) {
            g->uZeile++; // the dropped object's line number stays unused
            g->PROP_Modus = -1;
            SC_BERICHT_WEG(stScan);
        }
        SC_STATUS_ZEILE(o->ulDev, o->cDpId);
        break;
    case 2:
        c = SC_TEXT(w, QX04_PROP_DESCRIPTION);
        if (c != nullptr)
            SC_DESCR(o, c);
        else
            std::snprintf(o->cText, sizeof o->cText, "%s", o->cDpId);
        break;
    case 3:
        iTag = SC_WERT(w, g->usPropId, &ulWert);
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
            iTag = SC_WERT(w, QX04_PROP_NUMBER_OF_STATES, &ulWert);
            if (iTag < 0) {
                g->PROP_Modus = SC_FERTIG;
                break;
            }
            // A count below 0 counts as none, so that it is not asked for again and again.
            long l = SC_GANZZAHL(iTag, ulWert);
            o->NoState = static_cast<int>(l < 0 ? 0 : l > SC_ANZ_STATE ? SC_ANZ_STATE : l);
            g->PROP_Modus = 3;
            break;
        }
        c = SC_TEXT(w, g->usPropId);
        if (c != nullptr && g->iStateSlot < SC_ANZ_STATE)
            std::snprintf(o->cState[g->iStateSlot], sizeof o->cState[0], "%.32s", c);
        g->PROP_Modus = g->iStateSlot < SC_EDE_ZUSTAENDE(stScan, o->NoState) - 1 ? 3 : SC_FERTIG;
        break;
    default:
        break;
    }
}
