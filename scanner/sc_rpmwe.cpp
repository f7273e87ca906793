// A batch of ReadPropertyMultiple that was aborted (too large for the device) or not answered (some devices
// drop a large answer silently): the device is asked for half as much from now on. A batch of one that still
// fails is read by ReadProperty, and after the second such batch the whole device is. So is the first batch
// of a device that has not answered anything yet: silence there says nothing about sizes, and a device that
// is off is given up after the repetitions of one ReadProperty, as the scan without -M gives it up.
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

static const char cRoutine[] = "SC_LOOP";

void SC_RPM_WENIGER(SC_SCAN_Struct *stScan, const char *cGrund) {
    SC_RPM_Struct &r = stScan->stRpm;
    const bool bListe = r.iArt == SC_RPM_LISTE;
    if (r.iAnz > 1 && r.bLebt) {
        (bListe ? r.iListeMax : r.iObjMax) = r.iAnz / 2;
        r.bListe = bListe;
    } else {
        r.bAus = r.bAus || ++r.iEinzeln >= 2;
        (bListe ? r.bNachholen : r.bObjRP) = true;
    }
    if (TEST_T_I || TEST_T_I1 || TEST_T_O || TEST_T_O1)
        UT_TRC("\n\n", cRoutine, "RPM %s   Device : %lu   %s : %d   weiter mit %s", cGrund,
               (unsigned long)stScan->stObj.ulDev, bListe ? "Elemente" : "Objekte", r.iAnz,
               r.iAnz > 1 && r.bLebt ? "halber Menge"
               : r.bAus              ? "ReadProperty f\x81r das Device"
                                     : "ReadProperty");
    r.iArt = 0;
    stScan->iWarten = SC_BEREIT;
    // The smaller request goes out in the next send step; the scan waits for its answer as for any.
    stScan->ulRecvTmo = UT_DT_ADD(ulUT_LOOPZeit, 0, 5);
}
