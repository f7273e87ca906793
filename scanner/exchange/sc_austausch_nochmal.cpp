// The outstanding request goes again as the first try of a new round: after its path was held by a router,
// whose hold was no fault of the device, or alone on its path after its give-up. The same frame with the same
// invoke id, fresh repetitions and deadline; but it is no new request, and an answer to it may be one to the
// copy sent before, so its answer time is no sample (Karn).
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/event/sc_ereignis.h"
#include "scanner/exchange/sc_austausch_intern.h"
#include "scanner/walk/sc_scan.h"

SC_TA_EREIGNIS_Struct SC_AUSTAUSCH_NOCHMAL(SC_SCAN_Struct *stScan) {
    SC_TRANSAKTION_Struct &a = stScan->stAnf;
    SC_TA_EREIGNIS_Struct e = {stScan, 0, 0, 0, 0, false};
    if (a.iWarten != SC_WARTET || a.iLen <= 0) return e;
    QX04_BN_SENDEN(&a.stZiel, a.iLen, a.ucFrame);
    a.iVersuch = 0;
    a.iSendungen++;
    a.stRto.ulWdh++;
    a.ulErstMs = a.ulVersuchMs = UT_MSEK();
    a.bVerloren = a.bAufgegeben = false;
    SC_FRIST_NEU(&a);
    SC_TA_MELDEN(stScan, SC_EV_WIEDERHOLT);
    e.uArt = SC_E_WIEDERHOLT;
    e.ulMs = a.ulVersuchMs;
    e.ulTimer = SC_TIMER(&a, 0);
    return e;
}
