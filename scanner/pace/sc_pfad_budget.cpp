// A path's budget is set and a new round begins; a change is traced under -TX with the answer time that
// caused it, so a site's slow networks can be read from the trace.
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace_intern.h"

void SC_PFAD_BUDGET(int iPfad, int iNeu, std::uint32_t ulMs, const char *cWarum) {
    SC_PFAD_Struct &p = vSC_Pfad[iPfad];
    if (TEST_T_X && cWarum != nullptr && iNeu != p.iBudget)
        UT_TRC("\n\n", "SC_LOOP", // the trace names the scan loop, whose pass paces the requests
               "Pfad %s   Budget : %d -> %d   Antwortzeit : %lu ms   Basis : %lu ms   (%s)",
               SC_PFAD_TEXT(iPfad), p.iBudget, iNeu, (unsigned long)ulMs,
               (unsigned long)((p.ulBasis8 + 4) / 8), cWarum);
    p.iBudget = iNeu;
    p.ullRunde = 0;
    p.iRunde = 0;
    p.bVerlust = false;
    p.ulRundeNr++;
}
