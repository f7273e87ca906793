// What an outstanding request calls for, decided once per pass after the waiting datagrams are read, so that
// an answer already in the endpoint is taken and not asked for again. A try whose timer has run out is lost
// (told once per try), and a repetition goes while there are repetitions left; the wait ends only after the
// last one, 5 s after it, and no sooner than (repetitions + 1) x 5 s after the first try, so a controller
// busy for a while is not given up early. Without repetitions (-R0) only the 5 seconds count. An unanswered
// ReadPropertyMultiple is never given up but handed back for a smaller request when its timer runs out (with
// -R0 after 5 s). A request that could not be built ends the wait 5 s after the one before. All of it on the
// monotonic clock: a clock set back must not hold a request.
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch.h"

int SC_FAELLIG(const SC_TRANSAKTION_Struct *stAnf) {
    if (stAnf->bAufgegeben) return 0;
    const std::uint32_t ulJetzt = UT_MSEK();
    const bool bFrist = ulJetzt - stAnf->ulFristMs >= SC_DEADLINE_MS;
    if (stAnf->iWarten != SC_WARTET) return stAnf->bUnbaubar && bFrist ? SC_F_ENDE : 0;
    // While segments come, only the wait for the next one counts.
    if (stAnf->stSeg.bLauf)
        return ulJetzt - stAnf->stSeg.ulMs >= SC_SEG_ZEIT_MS ? SC_F_WDH | SC_F_VERLOREN : 0;
    const bool bAbgelaufen = ulJetzt - stAnf->ulVersuchMs >= SC_TIMER(stAnf, stAnf->iVersuch);
    if (stAnf->iDienst != SC_DIENST_RP)
        return (iSC_Wiederhol > 0 ? bAbgelaufen : bFrist) ? SC_F_WDH | SC_F_VERLOREN : 0;
    if (stAnf->iVersuch < iSC_Wiederhol && stAnf->iLen > 0) return bAbgelaufen ? SC_F_WDH | SC_F_VERLOREN : 0;
    const std::uint64_t ullAufgabe =
        std::uint64_t{SC_DEADLINE_MS} * static_cast<std::uint64_t>(iSC_Wiederhol + 1);
    return (bAbgelaufen && !stAnf->bVerloren ? SC_F_VERLOREN : 0) |
           (bFrist && ulJetzt - stAnf->ulErstMs >= ullAufgabe ? SC_F_ENDE : 0);
}
