// Requests in flight on a path: a request counts until its first timer runs out; after that it is taken as
// lost and leaves the budget to the others, so a dead device cannot stall its network while it is repeated.
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace_intern.h"

int SC_PACE_FLUG(int iPfad, int iOhne) {
    int n = 0;
    for (int i = 0; i < iSC_PacePlaetze; i++) {
        const SC_PACE_PLATZ_Struct &p = astSC_PacePlatz[static_cast<std::size_t>(i)];
        if (i == iOhne || !p.bBelegt || p.iPfad != iPfad) continue;
        n += p.bOffen && p.bErst && UT_MSEK() - p.ulMs < p.ulTimer;
    }
    return n;
}
