// After the receive step: a place whose noted request is no longer outstanding got its answer. The answer
// time of a first try goes to its path's budget; an answer to a repetition only counts as an answer, since
// it may belong to any try. A device that answers after a silence is not dead: it is scanned on as usual.
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"

void SC_P_ANTWORTEN() {
    for (int i = 0; i < iSC_Parallel; i++) {
        SC_PLATZ_Struct &p = stSC_Par.aPlatz[i];
        const SC_ANFRAGE_Struct &a = p.stScan.stAnf;
        if (!p.bBelegt || !p.bOffen || (a.iWarten == SC_WARTET && a.ucInvoke == p.ucInvoke)) continue;
        p.bOffen = false;
        p.iNachzug = SC_NZ_KEINER;
        if (p.iVersuch == 0)
            SC_PFAD_ANTWORT(p.iPfad, a.aulAntwortMs[p.ucInvoke] - p.ulGesendetMs, p.bAllein,
                            p.bVoll && p.ulRundeNr == vSC_Pfad[p.iPfad].ulRundeNr);
        else
            vSC_Pfad[p.iPfad].ulAntworten++;
    }
}
