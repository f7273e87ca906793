// End of a device in the parallel scan. Its place becomes free; when it was the earliest device in progress,
// the devices after it come to their turn one by one: what they hold is written with its final numbers, the
// first one still in progress goes on writing at once, and given-up devices leave their verdict text.
#include "scanner/loop/sc_ablauf.h"
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"
#include "scanner/event/sc_ereignis.h"

// Writes what the earliest device (table index uDev) holds, numbered from the file's next line on, each line
// told with its number; 0 or -21.
static int FREIGEBEN(SC_HALT_Struct *h, std::uint32_t uDev) {
    for (const auto &z : h->vZeilen) {
        SC_EREIGNIS_Struct e{};
        e.iArt = SC_EV_ZEILE, e.uDev = uDev, e.lZeile = stSC_Par.uZeile + z.first;
        SC_MELDEN(&e);
        int n = std::snprintf(cSC_REF_Buf, sizeof cSC_REF_Buf, "%05u%s", stSC_Par.uZeile + z.first,
                              z.second.c_str());
        if (n < 0 || static_cast<std::size_t>(n) >= sizeof cSC_REF_Buf) n = -1;
        if (SC_REF_WRITE(n) != 0) return -21;
        stSC_Par.uGehalten -= z.second.size() + sizeof z;
    }
    h->vZeilen.clear();
    return 0;
}

void SC_P_FERTIG(int iPlatz, bool bAufgegeben) {
    SC_PLATZ_Struct &p = stSC_Par.aPlatz[iPlatz];
    SC_HALT_Struct &h = stSC_Par.dqHalt[p.uDev - stSC_Par.uKopf];
    if (bAufgegeben) {
        SC_DEV_SCHLUSS(&p.stScan, SC_AUS_AUFGEGEBEN);
        h.sAufgegeben = SC_TMO_ADR(&p.stScan);
    }
    h.bFertig = true;
    h.iPlatz = -1;
    h.uAnz =
        p.stScan.stGang.uZeile; // the file's next number for the earliest device, else the numbers it used
    if (p.stScan.pHalten == nullptr) stSC_Par.uZeile = h.uAnz;
    p.bBelegt = false;
    SC_AUSTAUSCH_ENDE(&p.stScan.stAnf); // a late answer to it finds no place
    SC_PACE_FREI(iPlatz);

    while (!stSC_Par.dqHalt.empty() && stSC_Par.dqHalt.front().bFertig) {
        if (!stSC_Par.dqHalt.front().sAufgegeben.empty())
            stSC_Par.vAufgegeben.push_back(stSC_Par.dqHalt.front().sAufgegeben);
        stSC_Par.dqHalt.pop_front();
        stSC_Par.uKopf++;
        if (stSC_Par.dqHalt.empty()) break;
        SC_HALT_Struct &n = stSC_Par.dqHalt.front();
        if (FREIGEBEN(&n, stSC_Par.uKopf) != 0) {
            stSC_Par.iErg = -21;
            return;
        }
        if (!n.bFertig && n.iPlatz < 0) break; // not started yet: it writes at once when it starts
        if (!n.bFertig) { // in progress: from now on it writes at once, with the file's numbers
            SC_SCAN_Struct &s = stSC_Par.aPlatz[n.iPlatz].stScan;
            s.stGang.uZeile += stSC_Par.uZeile;
            s.pHalten = nullptr;
            break;
        }
        stSC_Par.uZeile += n.uAnz;
    }
}
