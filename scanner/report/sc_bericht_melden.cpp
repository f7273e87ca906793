// The report's observer: each event of the scan to the record it changes.
#include "scanner/report/sc_bericht_intern.h"

int SC_BERICHT_MELDEN(const SC_EREIGNIS_Struct *e) {
    SC_BERICHT_Struct &b = stSC_Bericht;
    switch (e->iArt) {
    case SC_EV_SCAN_ANFANG:
        b.bScan = true, b.ulScanMs = e->ulMs;
        break;
    case SC_EV_DEV_ANFANG:
        SC_BERICHT_DEV_ANFANG(e);
        break;
    case SC_EV_ELEMENT:
        SC_BERICHT_ELEMENT(e);
        break;
    case SC_EV_WEG: // an object left out by -B gives no line, as an object of another type gives none
        SC_BERICHT_GERAET(e->uDev).ulUebersprungen++;
        break;
    case SC_EV_WERT:
        SC_BERICHT_ABWEIS(e);
        break;
    case SC_EV_PUNKT:
        SC_BERICHT_GERAET(e->uDev).ulPunkte++;
        break;
    case SC_EV_ZEILE:
        SC_BERICHT_ZEILE(e);
        break;
    case SC_EV_DEV_ENDE:
        SC_BERICHT_DEV_ENDE(e);
        break;
    case SC_EV_NETZ:
        SC_BERICHT_NETZ(e);
        break;
    case SC_EV_SCAN_ENDE:
        b.iSignal = e->iSignal;
        // A device the interrupt cut is neither read nor unreached.
        for (SC_GERAETBERICHT_Struct &d : b.vGeraet)
            if (b.iSignal != 0 && d.bGestartet && d.iAusgang == SC_AUS_NICHT)
                d.iAusgang = SC_AUS_UNTERBROCHEN;
        return SC_BERICHT_ENDE(e->iErg, e->iTimeout);
    default:
        break;
    }
    return 0;
}
