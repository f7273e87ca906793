// What the exchange told of a place's request goes to the pacing of its path: a loss first (it halves the
// budget the next request is noted under), then what went out, and an answer.
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"

void SC_P_EREIGNIS(int iPlatz, const SC_TA_EREIGNIS_Struct &e) {
    if ((e.uArt & SC_E_BEANTWORTET) != 0) SC_PACE_BEANTWORTET(iPlatz, e.ulMs, e.bSauber);
    if ((e.uArt & SC_E_VERLOREN) != 0) SC_PACE_VERLOREN(iPlatz, (e.uArt & SC_E_ZURUECK) != 0);
    if ((e.uArt & (SC_E_GESENDET | SC_E_WIEDERHOLT)) != 0)
        SC_PACE_GESENDET(iPlatz, e.ulMs, e.ulTimer, e.iVersuch == 0);
}
