// One scan state's step of a pass, after the receive step has taken what was waiting: what its transaction
// calls for, decided once (a loss, a repetition or hand-back, its give-up), then the walk's next request with
// a fresh invoke id. The same for both scan loops; each acts on the events.
#include "scanner/event/sc_ereignis.h"
#include "scanner/exchange/sc_austausch_intern.h"
#include "scanner/walk/sc_scan.h"

// The walk's next request, when none is outstanding and its invoke id does not rest.
static bool NEU(SC_SCAN_Struct *stScan) {
    if (stScan->stAnf.iWarten != SC_BEREIT) return false;
    const unsigned char ucId = SC_ID_FREI();
    if (SC_RUHT(&stScan->stAnf, ucId)) return false;
    ucQX04_InvokeId = static_cast<unsigned char>(ucId - 1); // the layer's builder draws the id after it
    return SC_ANFRAGE(stScan);
}

SC_TA_EREIGNIS_Struct SC_AUSTAUSCH(SC_SCAN_Struct *stScan, bool bNeu) {
    SC_TRANSAKTION_Struct &a = stScan->stAnf;
    SC_TA_EREIGNIS_Struct e = {stScan, 0, 0, 0, 0, false};
    const int iFaellig = SC_FAELLIG(&a);
    if ((iFaellig & SC_F_VERLOREN) != 0) {
        a.bVerloren = true;
        e.uArt |= SC_E_VERLOREN;
    }
    if ((iFaellig & SC_F_ENDE) != 0) {
        a.bAufgegeben = true;
        e.uArt |= SC_E_AUFGEGEBEN;
        SC_TA_MELDEN(stScan, SC_EV_AUFGEGEBEN);
        return e;
    }
    if ((iFaellig & SC_F_WDH) != 0) e.uArt |= SC_WIEDERHOL(stScan);
    if (bNeu && NEU(stScan)) {
        e.uArt |= SC_E_GESENDET;
        SC_TA_MELDEN(stScan, SC_EV_GESENDET);
    }
    if ((e.uArt & (SC_E_GESENDET | SC_E_WIEDERHOLT)) != 0) {
        e.ulMs = a.ulVersuchMs;
        e.ulTimer = SC_TIMER(&a, 0);
        e.iVersuch = a.iVersuch;
    }
    return e;
}
