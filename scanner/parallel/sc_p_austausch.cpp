// The exchange's step for one place of the parallel scan: the device's requests exactly as the sequential
// scan sends them, but a new one with an invoke id that no other place has outstanding, so every answer finds
// its place. A device scanned ahead asks nothing new while too much of it is held, nor while its path has
// as many requests in flight as its budget allows.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"

static const char cRoutine[] = "SC_LOOP"; // the trace names the scan loop, whose step this is

// Whether a place awaits the answer with invoke id ucInvoke.
static bool WARTEND(unsigned char ucInvoke) {
    for (int i = 0; i < iSC_Parallel; i++) {
        const SC_PLATZ_Struct &p = stSC_Par.aPlatz[i];
        if (p.bBelegt && p.stScan.stAnf.iWarten == SC_WARTET && p.stScan.stAnf.ucInvoke == ucInvoke)
            return true;
    }
    return false;
}

int SC_P_AUSTAUSCH(int iPlatz) {
    SC_PLATZ_Struct &p = stSC_Par.aPlatz[iPlatz];
    SC_SCAN_Struct *s = &p.stScan;
    // A new request only while its path has room; repetitions go regardless, and an expired timer is a loss.
    const bool bRaum = SC_P_FLUG(p.iPfad, iPlatz) < vSC_Pfad[p.iPfad].iBudget;
    const bool bNeu =
        bRaum && (s->pHalten == nullptr || stSC_Par.uGehalten < SC_HALT_MAX); // the earliest goes on
    if (s->stAnf.iWarten == SC_WARTET && SC_FAELLIG(&s->stAnf) == SC_F_WDH)
        SC_PFAD_VERLUST(p.iPfad, "ohne Antwort");
    // At most 64 of 256 ids are outstanding, so a free one is always near.
    ucQX04_InvokeId = stSC_Par.ucGezogen;
    while (WARTEND(static_cast<unsigned char>(ucQX04_InvokeId + 1)))
        ucQX04_InvokeId++;
    const unsigned char ucFrei = ucQX04_InvokeId;
    const int r = SC_AUSTAUSCH(s, bNeu);
    const bool bNeueId = ucQX04_InvokeId != ucFrei; // a new request drew the id after the free one
    if (bNeueId) stSC_Par.ucGezogen = ucQX04_InvokeId;
    ucQX04_InvokeId = stSC_Par.ucGezogen;
    // The scan's deadline is the one the latest request renewed (while places are busy it decides nothing).
    if (r == SC_GESENDET) SC_P_GESENDET(iPlatz);
    if (bNeueId && (TEST_T_O || TEST_T_O1))
        UT_TRC("\n", cRoutine, "Anfrage an Device %lu   Invoke : %u", (unsigned long)s->stGang.stObj.ulDev,
               s->stAnf.ucInvoke);
    return r;
}
