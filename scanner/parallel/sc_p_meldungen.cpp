// What routers said about their networks since the last pass (bacnet keeps the latest messages), told to the
// observers and to the pacing, and the holds that have run out: when a path is free again, the outstanding
// requests of its places go again.
#include "bacnet/bn.h"
#include "scanner/event/sc_ereignis.h"
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"

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
        SC_EREIGNIS_Struct e{};
        e.iArt = SC_EV_NETZ;
        e.stNetz = {m.stVon.ulAdr, m.stVon.usPort, m.ucTyp, m.ucGrund, m.ausNetz, m.iAnzNetze};
        SC_MELDEN(&e);
        NOCHMAL(aiPlatz, SC_PACE_MELDUNG(&m, aiPlatz));
    }
    NOCHMAL(aiPlatz, SC_PACE_MELDUNG(nullptr, aiPlatz));
}
