// Repeats an unanswered request: a busy controller or one lost datagram must not end the scan of a site.
// The repetition is the same frame with the same invoke id, so a late answer to an earlier try still counts.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

static const char cRoutine[] = "SC_LOOP";

bool SC_WIEDERHOL(SC_SCAN_Struct *stScan) {
    if (stScan->iWarten != SC_WARTET || stScan->iAnfrageLen <= 0) return false;
    if (stScan->stRpm.iArt != 0) { // no answer to a batch: a smaller one, which the send step builds
        SC_RPM_WENIGER(stScan, "ohne Antwort");
        return false;
    }
    if (stScan->iVersuch >= iSC_Wiederhol) return false;
    stScan->iVersuch++;
    stScan->stRto.ulWdh++;
    if (TEST_T_O || TEST_T_O1)
        UT_TRC("\n\n", cRoutine,
               "Vor Wiederholung %d/%d   PROP_Modus %d   Index : %d   Invoke : %u   Timer : %lu ms",
               stScan->iVersuch, iSC_Wiederhol, stScan->PROP_Modus, stScan->Index, stScan->ucInvoke,
               (unsigned long)SC_RTO_DAUER(&stScan->stRto, stScan->iVersuch));
    IP_SEND(iQX04_IP_APP, &stScan->stZiel, IP_CMD_DATA, IP_SCMD_SEND, stScan->iAnfrageLen, stScan->ucAnfrage);
    stScan->ulVersuchMs = UT_MSEK();
    stScan->ulRecvTmo = UT_DT_ADD(ulUT_LOOPZeit, 0, 5);
    return true;
}
