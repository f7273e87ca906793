// A path is held by its router, or free again: then the outstanding requests of its places go again, except
// of a device waiting to be retried alone.
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace_intern.h"

void SC_PACE_HALTEN(int iPfad, bool bHalten, std::uint32_t ulDauer, int *aiPlatz, int *piAnz) {
    SC_PFAD_Struct &f = vSC_Pfad[static_cast<std::size_t>(iPfad)];
    if (bHalten) {
        if (!f.bGehalten) iSC_Gehalten++;
        f.bGehalten = true;
        f.ulHaltMs = UT_MSEK();
        f.ulHaltDauer = ulDauer;
        return;
    }
    if (!f.bGehalten) return;
    f.bGehalten = false;
    iSC_Gehalten--;
    if (TEST_T_X)
        UT_TRC("\n\n", "SC_LOOP", // the trace names the scan loop, whose pass paces the requests
               "Pfad %s wieder frei", SC_PFAD_TEXT(iPfad));
    for (int i = 0; i < iSC_PacePlaetze; i++) {
        const SC_PACE_PLATZ_Struct &p = astSC_PacePlatz[static_cast<std::size_t>(i)];
        if (p.bBelegt && p.iPfad == iPfad && p.iNachzug != SC_NZ_WARTET && p.bOffen) aiPlatz[(*piAnz)++] = i;
    }
}
