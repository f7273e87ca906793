// Builds and sends one ReadPropertyMultiple of iRefs references as the outstanding request (iArt: for list
// elements or objects, iAnz of them): 1, or 0 when it could not be built.
#include "runtime/ut/ut.h"
#include "scanner/walk/sc_scan.h"

static const char cRoutine[] = "SC_LOOP"; // the trace names the scan loop, whose step this is

int SC_RPM_SENDEN(SC_SCAN_Struct *stScan, std::uint32_t ulDev, const QX04_BN_RPMREF *aRef, int iRefs,
                  int iDienst, int iAnz) {
    IP_PORT stZiel = {0xFFFFFFFF, 0};
    const int iLen = QX04_BN_RPM(ulDev, aRef, iRefs, &stZiel, QX04_SEND_Buf);
    // An answer longer than estimated then comes in segments, not as an Abort.
    if (iLen > 0 && SC_RPM_SEGMENTIERT(stScan)) QX04_BN_SEGMENTE_ANNEHMEN(QX04_SEND_Buf, QX04_MAXSEG_32);
    if (!SC_ANFRAGE_SENDEN(&stScan->stAnf, iLen, &stZiel, iDienst, iAnz)) return 0;
    if (TEST_T_O || TEST_T_O1)
        UT_TRC("\n\n", cRoutine, "Vor RPM   Device : %lu   %s : %d   Properties : %d   Invoke : %u",
               (unsigned long)ulDev, iDienst == SC_DIENST_LISTE ? "Objektliste ab Index" : "Objekte",
               iDienst == SC_DIENST_LISTE ? stScan->stGang.iObjIdx : iAnz, iRefs, stScan->stAnf.ucInvoke);
    return 1;
}
