// Starts devices of the device table in free places, in table order; devices that answer late are started
// when their entry appears. A device started while an earlier one is still in progress holds its lines.
#include "bacnet/bn.h"
#include "scanner/parallel/sc_par.h"

void SC_P_START() {
    for (int i = 0; i < iSC_Parallel; i++) {
        SC_PLATZ_Struct &p = stSC_Par.aPlatz[i];
        if (p.bBelegt) continue;
        const std::uint32_t uDev = stSC_Par.uKopf + static_cast<std::uint32_t>(stSC_Par.dqHalt.size());
        if (uDev >= uQX04_Anz_Dev || BN_ROUTE_QX04_Struct[uDev].ulSDEV == 0xFFFFFFFF) return;
        if (!stSC_Par.dqHalt.empty() && stSC_Par.uGehalten >= SC_HALT_MAX) return;
        stSC_Par.dqHalt.emplace_back();
        SC_HALT_Struct *h = &stSC_Par.dqHalt.back();
        h->iPlatz = i;
        p.bBelegt = true;
        p.uDev = uDev;
        SC_SCAN_NEU(&p.stScan);
        p.stScan.stGang.uDevIdx = uDev;
        // The earliest device writes at once and goes on with the file's numbers; the others count from 0.
        if (uDev == stSC_Par.uKopf)
            p.stScan.stGang.uZeile = stSC_Par.uZeile;
        else
            p.stScan.stGang.uZeile = 0, p.stScan.pHalten = h;
    }
}
