// Receive phase of a scan pass: every waiting datagram in arrival order before the next request, so that a
// storm of I-Ams cannot overflow the endpoint; bounded, so that requests still go out during one.
#include "scanner/exchange/sc_austausch_intern.h"
#include "scanner/walk/sc_scan.h"

bool SC_EMPF_ALLE(SC_SCAN_Struct *const *apScan, int iAnz, bool bBisAntwort,
                  SC_TA_ANTWORTEN_Struct *pAntworten) {
    bool bEtwas = false;
    if (pAntworten != nullptr) pAntworten->iAnz = 0;
    for (int i = 0; i < SC_EMPF_MAX; i++) {
        const int r = SC_EMPFANG(apScan, iAnz, pAntworten);
        if (r < 0) break;
        bEtwas = true;
        if (r == 0) continue;
        if (bBisAntwort) break;
        bool bFehler = false; // a failed write ends the pass
        for (int k = 0; k < iAnz; k++)
            bFehler = bFehler || apScan[k]->stGang.iErg != 0;
        if (bFehler) break;
    }
    return bEtwas;
}
