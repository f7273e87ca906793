// Send step of one place of the parallel scan: the device's next request, exactly as the sequential scan
// would send it, but with an invoke id that no other place has outstanding, so every answer finds its place.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc_par.h"

static const char cRoutine[] = "SC_LOOP";

bool SC_P_ANFRAGE(int iPlatz) {
    SC_SCAN_Struct *s = &stSC_Par.aPlatz[iPlatz].stScan;
    // A device scanned ahead waits while too much of it is held; the earliest device always goes on.
    if (s->pHalten != nullptr && stSC_Par.uGehalten >= SC_HALT_MAX) return false;
    // At most 64 of 256 ids are outstanding, so a free one is always near.
    ucQX04_InvokeId = stSC_Par.ucGezogen;
    while (SC_P_WARTEND(static_cast<unsigned char>(ucQX04_InvokeId + 1)) >= 0)
        ucQX04_InvokeId++;
    const bool bGesendet = SC_ANFRAGE(s);
    if (!bGesendet) {
        ucQX04_InvokeId = stSC_Par.ucGezogen;
        return false;
    }
    stSC_Par.ucGezogen = ucQX04_InvokeId;
    stSC_Par.ulRecvTmo = s->ulRecvTmo;
    if (TEST_T_O || TEST_T_O1)
        UT_TRC("\n", cRoutine, "Anfrage an Device %lu   Invoke : %u", (unsigned long)s->stObj.ulDev,
               s->ucInvoke);
    return true;
}
