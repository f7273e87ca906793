// Starting values of ReadPropertyMultiple for a device: nothing learned yet, nothing read ahead. Without -M
// every device is read by ReadProperty alone.
#include "scanner/sc.h"

void SC_RPM_NEU(SC_SCAN_Struct *stScan) {
    SC_RPM_Struct &r = stScan->stRpm;
    r.bAus = iSC_Mehrfach == 0;
    r.bObjRP = r.bNachholen = r.bListe = r.bLebt = false;
    r.iArt = r.iAnz = 0;
    r.iListeMax = r.iObjMax = QX04_RPM_MAX;
    r.iEinzeln = 0;
    r.lListeLen = -1;
    r.uText = r.uFeld = 0;
    r.iWertPos = 0;
    r.stWert = SC_VORRAT_Struct{-1, 0};
    r.iVorErst = r.iVorAnz = 0;
}
