// Starting values of the scan loop: ready to send, first device, no object, deadline 5 seconds ahead.
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

void SC_SCAN_NEU(SC_SCAN_Struct *stScan) {
    stScan->iErg = 0;
    stScan->iWarten = SC_BEREIT;
    stScan->uDevIdx = 0;
    stScan->iObjIdx = -1;
    stScan->PROP_Modus = -1;
    stScan->Index = -1;
    stScan->usPropId = 0;
    stScan->ulRecvTmo = UT_DT_ADD(ulUT_LOOPZeit, 0, 5);
    stScan->uZeile = 1;
    SC_OBJ_NEU(&stScan->stObj, 0);
    stScan->iAnfrageLen = 0;
    stScan->stZiel = {0xFFFFFFFF, 0};
    stScan->ucInvoke = 0;
    stScan->iVersuch = 0;
    stScan->ulVersuchMs = 0;
    stScan->ulAufgabe = stScan->ulRecvTmo;
    stScan->stRto = SC_RTO_Struct{};
    stScan->bUnbaubar = false;
    stScan->aulAntwortMs.fill(0);
    stScan->ulKopieMs = 0;
    stScan->pHalten = nullptr;
    SC_RPM_NEU(stScan);
}
