// Registration as a foreign device with the BBMD of -F, before the Who-Is: from then on the BBMD forwards
// the site's broadcasts, the I-Ams among them, to the scanner. Without it a scanner outside the site's
// subnets would find nothing, so a refusal or silence ends the set-up.
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"

static const char cRoutine[] = "SC_BBMD_ANMELDEN";

SC_BBMD_Struct stSC_BbmdStand;

int SC_BBMD_ANMELDEN() {
    if (stSC_Bbmd.ulAdr == 0xFFFFFFFF) return 0;
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf   BBMD : >%s<", IP_PORT2A(&stSC_Bbmd));
    int iErg = -1;
    for (int i = 0; i < 3 && iErg < 0; i++) {
        SC_BBMD_MELDEN(true);
        iErg = SC_BBMD_WARTEN(1000);
    }
    int ier = 0;
    if (iErg == 0) {
        stSC_BbmdStand = SC_BBMD_Struct{true, UT_MSEK(), false};
    } else {
        SC_BBMD_FEHLER("Anmeldung", iErg);
        ier = -17;
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
    return ier;
}
