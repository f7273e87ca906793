// One answer on a path: the base time learns from requests sent alone, the round gathers the answer times,
// and a full round moves the budget by the rule in sc_pace.h.
#include <algorithm>
#include "scanner/pace/sc_pace_intern.h"
#include "scanner/sc.h"

void SC_PFAD_ANTWORT(int iPfad, std::uint32_t ulMs, bool bAllein, bool bRunde) {
    SC_PFAD_Struct &p = vSC_Pfad[iPfad];
    p.ulAntworten++;
    const std::uint64_t ullMs8 = 8ULL * std::min<std::uint32_t>(ulMs, SC_PACE_BESETZT_MS);
    if (bAllein || p.ulBasis8 == 0)
        p.ulBasis8 = static_cast<std::uint32_t>(p.ulBasis8 == 0 ? ullMs8 : (7ULL * p.ulBasis8 + ullMs8) / 8);
    if (!bRunde) return;
    p.ullRunde += ulMs;
    if (++p.iRunde < std::max(p.iBudget, SC_PACE_RUNDE_MIN)) return;
    const std::uint64_t ullMittel8 = 8 * p.ullRunde / static_cast<std::uint64_t>(p.iRunde);
    const std::uint32_t ulMittel =
        static_cast<std::uint32_t>(p.ullRunde / static_cast<std::uint64_t>(p.iRunde));
    const bool bFlach =
        ullMittel8 * SC_PACE_FLACH_N <= SC_PACE_FLACH_Z * (p.ulBasis8 + 8ULL * SC_PACE_KORN_MS);
    const bool bStau = ullMittel8 * SC_PACE_STAU_N >= SC_PACE_STAU_Z * static_cast<std::uint64_t>(p.ulBasis8);
    if (bFlach && !p.bVerlust && p.iBudget < SC_PARALLEL_MAX)
        SC_PFAD_BUDGET(iPfad, p.iBudget + 1, ulMittel, "flach");
    else if (bStau && p.iBudget > 1)
        SC_PFAD_BUDGET(iPfad, p.iBudget - 1, ulMittel, "Stau");
    else
        SC_PFAD_BUDGET(iPfad, p.iBudget, ulMittel, nullptr); // a new round all the same
}
