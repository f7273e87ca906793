// -V: the scan's status line with devices done and known, data points written and the time left. The
// estimate is the rate of object-list elements taken so far (which holds the answer times, the requests per
// object and the places in use) applied to the elements still to come: of the devices started, by their
// lists' lengths, of the others by the mean length of the lists known. Until one list's length is known and
// the scan has run a while, it says so ("noch ?"). At most four lines a second.
#include <cstdio>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/report/sc_bericht_intern.h"

constexpr std::uint32_t SC_FORTSCHRITT_MS = 250;   // between two lines at least
constexpr std::uint32_t SC_SCHAETZEN_AB_MS = 2000; // scan time before an estimate
constexpr std::uint32_t SC_SCHAETZEN_AB = 20;      // elements taken before an estimate

void SC_FORTSCHRITT_ZEILE(std::uint32_t ulDev, const char *cObj) {
    SC_BERICHT_Struct &b = stSC_Bericht;
    const std::uint32_t ulJetzt = UT_MSEK();
    if (ulJetzt - b.ulZuletztMs < SC_FORTSCHRITT_MS && b.ulZuletztMs != 0) return;
    b.ulZuletztMs = ulJetzt | 1;
    unsigned uFertig = 0, uBekannt = 0, uLaengen = 0;
    double dElemente = 0, dOffen = 0, dSumme = 0, dPunkte = 0;
    for (std::uint32_t i = 0; BN_ROUTE_QX04_Struct != nullptr && i < uQX04_Anz_Dev; i++) {
        if (BN_ROUTE_QX04_Struct[i].ulSDEV == 0xFFFFFFFF) break;
        uBekannt++;
        const SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(i);
        uFertig += d.iAusgang != SC_AUS_NICHT;
        dElemente += d.ulElemente, dPunkte += d.ulPunkte;
        if (d.lListeLen >= 0) uLaengen++, dSumme += static_cast<double>(d.lListeLen);
        if (d.iAusgang == SC_AUS_NICHT && d.lListeLen >= 0)
            dOffen += static_cast<double>(d.lListeLen) - d.ulElemente;
    }
    const double dMittel = uLaengen > 0 ? dSumme / uLaengen : 0;
    for (std::uint32_t i = 0; i < uBekannt; i++) {
        const SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(i);
        if (d.iAusgang == SC_AUS_NICHT && d.lListeLen < 0)
            dOffen += dMittel > d.ulElemente ? dMittel - d.ulElemente : 0;
    }
    const std::uint32_t ulSeit = ulJetzt - b.ulBeginnMs;
    char cNoch[32] = "noch ?";
    if (uLaengen > 0 && ulSeit >= SC_SCHAETZEN_AB_MS && dElemente >= SC_SCHAETZEN_AB)
        std::snprintf(cNoch, sizeof cNoch, "noch %.0f s", dOffen * ulSeit / dElemente / 1000.0);
    std::printf("\r%s      Scannen von  Device : %lu  Object : %-16s  %u/%u Devices  %.0f DP  %s    ",
                UT_T_TIME(), static_cast<unsigned long>(ulDev), cObj, uFertig, uBekannt, dPunkte, cNoch);
    std::fflush(stdout);
}
