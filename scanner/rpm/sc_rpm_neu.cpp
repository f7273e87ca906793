// Starting values of ReadPropertyMultiple for a device: nothing learnt yet, nothing read ahead. Without -M
// every device is read by ReadProperty alone.
#include "scanner/sc.h"
#include "scanner/rpm/sc_rpm.h"

void SC_RPM_NEU(SC_RPM_Struct *r) {
    r->bNurRP = iSC_Mehrfach == 0;
    r->bObjRP = false;
    r->iElement = 0;
    r->stListe = r->stObjekte = SC_RPM_MENGE_Struct{QX04_RPM_MAX, QX04_RPM_MAX, 0};
    r->iEinzeln = 0;
    r->lListeLen = -1;
    r->uText = r->uFeld = 0;
    r->auWert.fill(0);
    r->bVorsicht = false;
    r->iVorErst = r->iVorAnz = 0;
    r->bGanzNein = r->bGanzStill = r->bSegNein = false;
}
