// Starts devices of the device table in free places; devices that answer late are started when their entry
// appears. Each place goes to the path with the fewest places among those with room (below their budget,
// not held, no device waiting there to be retried alone), the paths in turn, and within a path to its
// earliest device: devices numbered network by network still spread over every network at once. A device
// started while an earlier one is still in progress holds its lines.
#include <climits>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"

// Places per path, INT_MAX for a path that takes none now. A place whose request is past its first timer
// counts not: a silent device must not keep its network from the others, whose answers tell it from a full
// network.
static std::vector<int> viBelegt;

static void ZAEHLEN() {
    viBelegt.assign(vSC_Pfad.size(), 0);
    for (int i = 0; i < iSC_Parallel; i++) {
        const SC_PLATZ_Struct &p = stSC_Par.aPlatz[i];
        const SC_ANFRAGE_Struct &a = p.stScan.stAnf;
        const bool bStill =
            a.iWarten == SC_WARTET && (a.iVersuch > 0 || UT_MSEK() - a.ulVersuchMs >= SC_TIMER(&a, 0));
        if (p.bBelegt && !bStill)
            viBelegt[p.iPfad] = p.iNachzug == SC_NZ_WARTET ? INT_MAX : viBelegt[p.iPfad] + 1;
        if (p.bBelegt && p.iNachzug == SC_NZ_WARTET) viBelegt[p.iPfad] = INT_MAX;
    }
    for (std::size_t k = 0; k < vSC_Pfad.size(); k++)
        if (vSC_Pfad[k].bGehalten || viBelegt[k] >= vSC_Pfad[k].iBudget) viBelegt[k] = INT_MAX;
}

// The device to start next, -1 when none may start.
static long WAHL() {
    ZAEHLEN();
    long lWahl = -1;
    int iWahl = 0;
    std::size_t uRang = 0;
    for (std::uint32_t uDev = stSC_Par.uKopf; uDev < uQX04_Anz_Dev; uDev++) {
        if (BN_ROUTE_QX04_Struct[uDev].ulSDEV == 0xFFFFFFFF) break;
        if (uDev != stSC_Par.uKopf && stSC_Par.uGehalten >= SC_HALT_MAX) break; // only the earliest goes on
        const std::size_t uIdx = uDev - stSC_Par.uKopf;
        if (uIdx < stSC_Par.dqHalt.size() &&
            (stSC_Par.dqHalt[uIdx].iPlatz >= 0 || stSC_Par.dqHalt[uIdx].bFertig))
            continue;
        const int iPfad = SC_PFAD(uDev);
        if (static_cast<std::size_t>(iPfad) >= viBelegt.size()) viBelegt.resize(iPfad + 1, 0); // a new path
        if (viBelegt[iPfad] == INT_MAX) continue;
        const std::size_t uN = vSC_Pfad.size();
        const std::size_t uR = (iPfad + uN - static_cast<std::size_t>(stSC_Par.iLetzterPfad + 1) % uN) % uN;
        if (lWahl < 0 || viBelegt[iPfad] < iWahl || (viBelegt[iPfad] == iWahl && uR < uRang))
            lWahl = uDev, iWahl = viBelegt[iPfad], uRang = uR;
    }
    return lWahl;
}

void SC_P_START() {
    for (int i = 0; i < iSC_Parallel; i++) {
        SC_PLATZ_Struct &p = stSC_Par.aPlatz[i];
        if (p.bBelegt) continue;
        const long lDev = WAHL();
        if (lDev < 0) return;
        const std::uint32_t uDev = static_cast<std::uint32_t>(lDev);
        while (stSC_Par.dqHalt.size() <= uDev - stSC_Par.uKopf)
            stSC_Par.dqHalt.emplace_back();
        SC_HALT_Struct *h = &stSC_Par.dqHalt[uDev - stSC_Par.uKopf];
        h->iPlatz = i;
        p.bBelegt = true;
        p.uDev = uDev;
        p.iPfad = SC_PFAD(uDev);
        p.bOffen = false;
        p.iNachzug = SC_NZ_KEINER;
        stSC_Par.iLetzterPfad = p.iPfad;
        SC_SCAN_NEU(&p.stScan);
        p.stScan.stGang.uDevIdx = uDev;
        // The earliest device writes at once and goes on with the file's numbers; the others count from 0.
        if (uDev == stSC_Par.uKopf)
            p.stScan.stGang.uZeile = stSC_Par.uZeile;
        else
            p.stScan.stGang.uZeile = 0, p.stScan.pHalten = h;
    }
}
