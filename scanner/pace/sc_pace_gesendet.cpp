// What a place's request tells its path when it goes: a first try notes whether it went alone (its answer
// time is then the path's base time) and how many answers the path had, so that a later silence can tell a
// full network from a dead device.
#include "scanner/pace/sc_pace_intern.h"

void SC_PACE_GESENDET(int iPlatz, std::uint32_t ulMs, std::uint32_t ulTimer, bool bErst) {
    SC_PACE_PLATZ_Struct &p = astSC_PacePlatz[static_cast<std::size_t>(iPlatz)];
    const SC_PFAD_Struct &f = vSC_Pfad[static_cast<std::size_t>(p.iPfad)];
    p.bGesendet = p.bOffen = true;
    p.bErst = bErst;
    p.ulMs = ulMs;
    p.ulTimer = ulTimer;
    if (!bErst) return;
    const int iAndere = SC_PACE_FLUG(p.iPfad, iPlatz);
    p.bAllein = iAndere == 0;
    p.ulPfadStand = f.ulAntworten;
    p.ulRundeNr = f.ulRundeNr;
    p.bVoll = iAndere + 1 >= f.iBudget;
}
