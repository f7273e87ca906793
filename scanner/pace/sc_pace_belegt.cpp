// A place starts a device: its path, made on first use, gets it, and the next place goes to the path after
// it.
#include "bacnet/bn.h"
#include "scanner/pace/sc_pace_intern.h"

void SC_PACE_BELEGT(int iPlatz, std::uint32_t uDev) {
    SC_PACE_PLATZ_Struct &p = astSC_PacePlatz[static_cast<std::size_t>(iPlatz)];
    p = SC_PACE_PLATZ_Struct{};
    p.bBelegt = true;
    p.ulDev = BN_ROUTE_QX04_Struct[uDev].ulSDEV;
    p.iPfad = SC_PFAD(uDev);
    iSC_LetzterPfad = p.iPfad;
    if (iPlatz >= iSC_PacePlaetze) iSC_PacePlaetze = iPlatz + 1;
}
