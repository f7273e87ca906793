// What routers said about their networks since the last pass (bacnet keeps the latest messages), told to the
// report and to the pacing, and the holds that have run out: when a path is free again, the outstanding
// requests of its places go again.
#include "bacnet/bn.h"
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"
#include "scanner/report/sc_bericht.h"

static void NOCHMAL(const int *aiPlatz, int n) {
    for (int k = 0; k < n; k++)
        SC_P_EREIGNIS(aiPlatz[k], SC_AUSTAUSCH_NOCHMAL(&stSC_Par.aPlatz[aiPlatz[k]].stScan));
}

void SC_P_MELDUNGEN() {
    SC_PAR_Struct &P = stSC_Par;
    int aiPlatz[SC_PARALLEL_MAX];
    if (ulQX04_NetzAnz - P.ulNetzGelesen > QX04_NETZ_MAX) P.ulNetzGelesen = ulQX04_NetzAnz - QX04_NETZ_MAX;
    for (; P.ulNetzGelesen != ulQX04_NetzAnz; P.ulNetzGelesen++) {
        const QX04_NETZMELDUNG m = stQX04_Netz[P.ulNetzGelesen % QX04_NETZ_MAX];
        SC_BERICHT_NETZ(&m.stVon, m.ucTyp, m.ucGrund, m.ausNetz, m.iAnzNetze);
        NOCHMAL(aiPlatz, SC_PACE_MELDUNG(&m, aiPlatz));
    }
    NOCHMAL(aiPlatz, SC_PACE_MELDUNG(nullptr, aiPlatz));
}
