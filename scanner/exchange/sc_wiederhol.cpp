// Repeats an unanswered request: a busy controller or one lost datagram must not end the scan of a site.
// The repetition is the same frame with the same invoke id, so a late answer to an earlier try still counts.
// An unanswered ReadPropertyMultiple is handed back to the walk instead, which asks for less.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/event/sc_ereignis.h"
#include "scanner/exchange/sc_austausch_intern.h"
#include "scanner/walk/sc_scan.h"

static const char cRoutine[] = "SC_LOOP"; // the trace names the scan loop, whose step this is

unsigned SC_WIEDERHOL(SC_SCAN_Struct *stScan) {
    SC_TRANSAKTION_Struct &a = stScan->stAnf;
    if (a.iWarten != SC_WARTET || a.iLen <= 0) return 0;
    if (a.iDienst != SC_DIENST_RP || a.iVersuch < iSC_Wiederhol) a.ulStille++, a.iStilleHier++;
    if (a.iDienst != SC_DIENST_RP) {
        SC_ANTWORT_Struct stStille = {SC_ANT_STILLE, QX04_MSG_ANDERE, -1, -1, -1, {}, nullptr, nullptr, 0};
        QX04_BN_WERTLESEN(nullptr, nullptr, &stStille.stWert);
        a.stSeg.bLauf = false; // segments that come now are strays
        a.iWarten = SC_ERLEDIGT;
        SC_ANTWORT(stScan, &stStille);
        a.iWarten = SC_BEREIT;
        // The smaller request goes out in the next send step; the scan waits for its answer as for any.
        SC_FRIST_NEU(&a);
        return SC_E_ZURUECK;
    }
    if (a.iVersuch >= iSC_Wiederhol) return 0;
    a.iVersuch++;
    a.iSendungen++;
    a.stRto.ulWdh++;
    if (TEST_T_O || TEST_T_O1)
        UT_TRC("\n\n", cRoutine,
               "Vor Wiederholung %d/%d   PROP_Modus %d   Index : %d   Invoke : %u   Timer : %lu ms",
               a.iVersuch, iSC_Wiederhol, stScan->stGang.PROP_Modus, stScan->stGang.iStateSlot, a.ucInvoke,
               (unsigned long)SC_TIMER(&a, a.iVersuch));
    QX04_BN_SENDEN(&a.stZiel, a.iLen, a.ucFrame);
    a.ulVersuchMs = UT_MSEK();
    a.bVerloren = false;
    SC_FRIST_NEU(&a);
    SC_TA_MELDEN(stScan, SC_EV_WIEDERHOLT);
    return SC_E_WIEDERHOLT;
}
