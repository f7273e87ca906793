// One place's step of the pass: the exchange's step for its device as its pacing lets it, the events told to
// the pacing, and a device given up freed unless it is kept to be retried alone. A device scanned ahead asks
// nothing new while too much of it is held; the earliest goes on.
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"

static const char cRoutine[] = "SC_LOOP"; // the trace names the scan loop, whose step this is

bool SC_P_SCHRITT(int iPlatz) {
    SC_PLATZ_Struct &p = stSC_Par.aPlatz[iPlatz];
    SC_SCAN_Struct *s = &p.stScan;
    const int iDarf = SC_PACE_DARF(iPlatz);
    if (iDarf == SC_DARF_AUFGEBEN) SC_P_FERTIG(iPlatz, true);
    if (iDarf == SC_DARF_ALLEIN) SC_P_EREIGNIS(iPlatz, SC_AUSTAUSCH_NOCHMAL(s));
    if (iDarf != SC_DARF_WDH && iDarf != SC_DARF_NEU) return false;
    const bool bNeu = iDarf == SC_DARF_NEU && (s->pHalten == nullptr || stSC_Par.uGehalten < SC_HALT_MAX);
    const SC_TA_EREIGNIS_Struct e = SC_AUSTAUSCH(s, bNeu);
    SC_P_EREIGNIS(iPlatz, e);
    if ((e.uArt & SC_E_GESENDET) != 0 && (TEST_T_O || TEST_T_O1))
        UT_TRC("\n", cRoutine, "Anfrage an Device %lu   Invoke : %u", (unsigned long)s->stGang.stObj.ulDev,
               s->stAnf.ucInvoke);
    if ((e.uArt & SC_E_AUFGEGEBEN) != 0 && !SC_PACE_AUFGEGEBEN(iPlatz)) SC_P_FERTIG(iPlatz, true);
    return (e.uArt & (SC_E_GESENDET | SC_E_WIEDERHOLT)) != 0;
}
