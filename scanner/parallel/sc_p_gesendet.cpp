// What a place's request tells its path when it goes: a first try notes whether it went alone (its answer
// time is then the path's base time) and how many answers the path had, so that a later silence can tell a
// full network from a dead device.
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"

void SC_P_GESENDET(int iPlatz) {
    SC_PLATZ_Struct &p = stSC_Par.aPlatz[iPlatz];
    const SC_ANFRAGE_Struct &a = p.stScan.stAnf;
    SC_PFAD_Struct &f = vSC_Pfad[p.iPfad];
    p.bOffen = a.iWarten == SC_WARTET;
    p.ucInvoke = a.ucInvoke;
    p.ulGesendetMs = a.ulVersuchMs;
    p.iVersuch = a.iVersuch;
    stSC_Par.ulRecvTmo = a.ulRecvTmo;
    if (a.iVersuch > 0) return;
    const int iAndere = SC_P_FLUG(p.iPfad, iPlatz);
    p.bAllein = iAndere == 0;
    p.ulPfadStand = f.ulAntworten;
    p.ulRundeNr = f.ulRundeNr;
    p.bVoll = iAndere + 1 >= f.iBudget;
}
