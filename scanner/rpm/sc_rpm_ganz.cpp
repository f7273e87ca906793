// The object list in the fewest octets: one ReadProperty of the whole array instead of element after
// element. Its length is known only from the answer, so it is asked at once: a device that segments is told
// that the answer may come in segments; one that does not answers a list too long for its APDU with an Abort
// (or an Error, or a Reject), and is read in batches from then on.
#include "runtime/ut/ut.h"
#include "scanner/walk/sc_scan.h"

static const char cRoutine[] = "SC_LOOP"; // the trace names the scan loop, whose step this is

int SC_RPM_GANZ(SC_SCAN_Struct *stScan, std::uint32_t ulDev) {
    IP_PORT stZiel = {0xFFFFFFFF, 0};
    const int iLen =
        QX04_BN_RD(ulDev, stScan->stGang.stObj.ulObjId, QX04_PROP_OBJECT_LIST, &stZiel, QX04_SEND_Buf);
    const bool bSeg = SC_RPM_SEGMENTIERT(stScan);
    if (iLen > 0 && bSeg) QX04_BN_SEGMENTE_ANNEHMEN(QX04_SEND_Buf, QX04_MAXSEG_32);
    if (!SC_ANFRAGE_SENDEN(&stScan->stAnf, iLen, &stZiel, SC_DIENST_GANZ, 1)) return 0;
    if (TEST_T_O || TEST_T_O1)
        UT_TRC("\n\n", cRoutine, "Vor Objektliste ganz   Device : %lu   Segmente : %s   Invoke : %u",
               (unsigned long)ulDev, bSeg ? "ja" : "nein", stScan->stAnf.ucInvoke);
    return 1;
}
