// The device to start next in a free place: from the path with the fewest places among those with room (below
// their budget, not held, no device waiting there to be retried alone), the paths in turn, and within a path
// its earliest device, so that devices numbered network by network still spread over every network at once.
#include <climits>
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace_intern.h"

// Places per path, INT_MAX for a path that takes none now. A place whose request is past its first timer
// counts not: a silent device must not keep its network from the others, whose answers tell it from a full
// network.
static std::vector<int> viBelegt;

static void ZAEHLEN() {
    viBelegt.assign(vSC_Pfad.size(), 0);
    for (int i = 0; i < iSC_PacePlaetze; i++) {
        const SC_PACE_PLATZ_Struct &p = astSC_PacePlatz[static_cast<std::size_t>(i)];
        if (!p.bBelegt) continue;
        const bool bStill = p.bOffen && (!p.bErst || UT_MSEK() - p.ulMs >= p.ulTimer);
        int &n = viBelegt[static_cast<std::size_t>(p.iPfad)];
        if (p.iNachzug == SC_NZ_WARTET)
            n = INT_MAX;
        else if (!bStill &&
                 n != INT_MAX) // a path that takes none stays so, whichever of its places comes first
            n++;
    }
    for (std::size_t k = 0; k < vSC_Pfad.size(); k++)
        if (vSC_Pfad[k].bGehalten || viBelegt[k] >= vSC_Pfad[k].iBudget) viBelegt[k] = INT_MAX;
}

long SC_PACE_WAHL(std::uint32_t uVon, std::uint32_t uBis, bool (*pfWartet)(std::uint32_t uDev)) {
    ZAEHLEN();
    long lWahl = -1;
    int iWahl = 0;
    std::size_t uRang = 0;
    for (std::uint32_t uDev = uVon; uDev < uBis; uDev++) {
        if (!pfWartet(uDev)) continue;
        const int iPfad = SC_PFAD(uDev);
        if (static_cast<std::size_t>(iPfad) >= viBelegt.size()) viBelegt.resize(iPfad + 1, 0); // a new path
        const int iBelegt = viBelegt[static_cast<std::size_t>(iPfad)];
        if (iBelegt == INT_MAX) continue;
        const std::size_t uN = vSC_Pfad.size();
        const std::size_t uR = (iPfad + uN - static_cast<std::size_t>(iSC_LetzterPfad + 1) % uN) % uN;
        if (lWahl < 0 || iBelegt < iWahl || (iBelegt == iWahl && uR < uRang))
            lWahl = uDev, iWahl = iBelegt, uRang = uR;
    }
    return lWahl;
}
