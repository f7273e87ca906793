// Starts devices of the device table in free places, in the order the pacing chooses; devices that answer
// late are started when their entry appears. A device started while an earlier one is still in progress
// holds its lines.
#include <algorithm>
#include "bacnet/bn.h"
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"

// Whether device table entry uDev waits for a place: neither started nor finished.
static bool WARTET(std::uint32_t uDev) {
    const std::size_t uIdx = uDev - stSC_Par.uKopf;
    return uIdx >= stSC_Par.dqHalt.size() ||
           (stSC_Par.dqHalt[uIdx].iPlatz < 0 && !stSC_Par.dqHalt[uIdx].bFertig);
}

void SC_P_START() {
    SC_PAR_Struct &P = stSC_Par;
    // The known devices up to the first free entry; while too much is held, only the earliest goes on.
    std::uint32_t uBis = P.uKopf;
    while (uBis < uQX04_Anz_Dev && BN_ROUTE_QX04_Struct[uBis].ulSDEV != 0xFFFFFFFF)
        uBis++;
    if (P.uGehalten >= SC_HALT_MAX) uBis = std::min(uBis, P.uKopf + 1);
    for (int i = 0; i < iSC_Parallel; i++) {
        SC_PLATZ_Struct &p = P.aPlatz[i];
        if (p.bBelegt) continue;
        const long lDev = SC_PACE_WAHL(P.uKopf, uBis, WARTET);
        if (lDev < 0) return;
        const std::uint32_t uDev = static_cast<std::uint32_t>(lDev);
        while (P.dqHalt.size() <= uDev - P.uKopf)
            P.dqHalt.emplace_back();
        SC_HALT_Struct *h = &P.dqHalt[uDev - P.uKopf];
        h->iPlatz = i;
        p.bBelegt = true;
        p.uDev = uDev;
        SC_PACE_BELEGT(i, uDev);
        SC_SCAN_NEU(&p.stScan);
        p.stScan.stGang.uDevIdx = uDev;
        // The earliest device writes at once and goes on with the file's numbers; the others count from 0.
        if (uDev == P.uKopf)
            p.stScan.stGang.uZeile = P.uZeile;
        else
            p.stScan.stGang.uZeile = 0, p.stScan.pHalten = h;
    }
}
