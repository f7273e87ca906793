// Leaves the BBMD's foreign-device table at the end of every run that registered, whatever its outcome, so
// that no entry stays behind to receive the site's broadcasts for the rest of its time-to-live.
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"

static const char cRoutine[] = "SC_BBMD_ENDE";

void SC_BBMD_ENDE() {
    if (!stSC_BbmdStand.bAngemeldet) return;
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf   BBMD : >%s<", IP_PORT2A(&stSC_Bbmd));
    stSC_BbmdStand.bAngemeldet = false;
    SC_BBMD_MELDEN(false);
    const int iErg = SC_BBMD_WARTEN(1000);
    if (iErg != 0) SC_BBMD_FEHLER("Abmeldung", iErg);
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", iErg);
}
