// The end of a scan with -J: one console line per incomplete device and a line of totals before the verdict,
// then the report, written to a temporary name and renamed, so that no half report is left behind.
#include <cstdio>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/report/sc_bericht_intern.h"

static const char *const acAusgang[] = {"nicht erreicht", "gelesen", "Timeout", "aufgegeben", "unterbrochen"};

// The console lines: devices that are not complete, and the totals.
static void KONSOLE() {
    unsigned uMangel = 0, uAufgegeben = 0, uUnvollst = 0;
    for (std::uint32_t i = 0; BN_ROUTE_QX04_Struct != nullptr && i < uQX04_Anz_Dev; i++) {
        if (BN_ROUTE_QX04_Struct[i].ulSDEV == 0xFFFFFFFF) break;
        const SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(i);
        if (d.iAusgang == SC_AUS_KOMPLETT && d.vProbleme.empty()) continue;
        uUnvollst++;
        uAufgegeben += d.iAusgang == SC_AUS_AUFGEGEBEN;
        uMangel += static_cast<unsigned>(d.vProbleme.size());
        std::printf("\n\n***  Device %lu unvollst\x84ndig : %s, %u Datenpunkte, %zu Problem%s  ***",
                    static_cast<unsigned long>(BN_ROUTE_QX04_Struct[i].ulSDEV), acAusgang[d.iAusgang],
                    static_cast<unsigned>(d.ulPunkte), d.vProbleme.size(),
                    d.vProbleme.size() == 1 ? "" : "e");
    }
    std::printf("\n\n***  %u Devices unvollst\x84ndig, %u aufgegeben, %u Probleme, Bericht in %s  ***",
                uUnvollst, uAufgegeben, uMangel, stSC_Bericht.sDatei.c_str());
}

int SC_BERICHT_ENDE(int iErg, int iTimeout) {
    if (stSC_Bericht.sDatei.empty()) return 0;
    KONSOLE();
    const std::string sText = SC_BERICHT_JSON(iErg, iTimeout);
    const bool bGut = UT_DATEI_ERSETZEN(stSC_Bericht.sDatei.c_str(), sText.data(), sText.size());
    std::fflush(stdout);
    if (bGut) return 0;
    std::printf("\n\n***  WRITE-Fehler auf Bericht %s  ***", stSC_Bericht.sDatei.c_str());
    return -23;
}
