// A place's request was answered. A clean answer time (to a first try that went once) goes to its path's
// budget; any other answer only counts as an answer, since it may belong to any copy. A device that answers
// after a silence is not dead: it is scanned on as usual. An answer on a path a Reject "router busy" holds
// frees the router's buffer: the hold ends at the next look at the holds.
#include "scanner/pace/sc_pace_intern.h"

void SC_PACE_BEANTWORTET(int iPlatz, std::uint32_t ulMs, bool bSauber) {
    SC_PACE_PLATZ_Struct &p = astSC_PacePlatz[static_cast<std::size_t>(iPlatz)];
    if (!p.bBelegt || !p.bOffen) return;
    SC_PFAD_Struct &f = vSC_Pfad[static_cast<std::size_t>(p.iPfad)];
    p.bOffen = false;
    p.iNachzug = SC_NZ_KEINER;
    if (f.bGehalten && f.bAbweis) f.ulHaltDauer = 0;
    if (bSauber)
        SC_PFAD_ANTWORT(p.iPfad, ulMs, p.bAllein, p.bVoll && p.ulRundeNr == f.ulRundeNr);
    else
        f.ulAntworten++;
}
