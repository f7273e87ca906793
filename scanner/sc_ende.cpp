// Verdict at the end of the scan: an error, every known device done, or the reply that did not come, named by
// the BACnet address and the property that was asked for.
#include <cstring>
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

const char *SC_TMO_ADR(SC_SCAN_Struct *stScan) {
    char *cAdr = stScan->stObj.cBnAdr;
    char *p = std::strchr(cAdr, '\'');
    if (p != nullptr)
        std::snprintf(p + 1, sizeof stScan->stObj.cBnAdr - static_cast<std::size_t>(p + 1 - cAdr), "%05u",
                      stScan->usPropId);
    return cAdr;
}

void SC_ENDE(SC_SCAN_Struct *stScan) {
    SC_DOPPELT_MELDEN();
    if (stScan->iErg != 0)
        std::printf("\n\n***  Abbruch nach Fehler %d ***\n\n\a", stScan->iErg);
    else if (!SC_DEV_AKTIV(stScan))
        std::printf("\n\n***  ZDB-Referenzdatei NETSCN.REF erfolgreich erzeugt ***\n\n\a");
    else
        std::printf("\n\n***  Abbruch nach Timeout f\x81r BN-Adr.: %s ***\n\n\a", SC_TMO_ADR(stScan));
    std::fflush(stdout);
}

void SC_LOOP_TRC(int iErg, std::uint32_t ulRecvTmo) {
    if (!UT_TRC_OUT()) return;
    UT_TRC("\n", "SC_LOOP", "Vor  RETURN    ier : %d \n", iErg);
    UT_TRC_CONT("\n    LOOP-Zeit : %s", UT_DT2CI(ulUT_LOOPZeit));
    UT_TRC_CONT("\n    RECV_TMO  : %s", UT_DT2CI(ulRecvTmo));
    std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
}
