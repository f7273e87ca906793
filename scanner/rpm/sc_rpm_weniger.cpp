// A batch of ReadPropertyMultiple that was aborted (too large for the device) or not answered (some devices
// drop a large answer silently): the device is asked for half as much, until an answered batch lets the
// limit grow again. A batch of one that still fails is read by ReadProperty, and after the second such batch
// the whole device is. So is the first batch of a device that has not answered anything yet: silence there
// says nothing about sizes, and a device that is off is given up after the repetitions of one ReadProperty,
// as the scan without -M gives it up.
#include <algorithm>
#include "runtime/ut/ut.h"
#include "scanner/walk/sc_scan.h"

static const char cRoutine[] = "SC_LOOP"; // the trace names the scan loop, whose step this is

void SC_RPM_WENIGER(SC_SCAN_Struct *stScan, const char *cGrund) {
    SC_RPM_Struct &r = stScan->stRpm;
    const bool bListe = stScan->stAnf.iDienst == SC_DIENST_LISTE;
    const int iAnz = stScan->stAnf.iAnz;
    const bool bHalb = iAnz > 1 && stScan->stAnf.bGeantwortet;
    if (!bListe) r.bVorsicht = true; // an estimate too tight may have caused it
    if (bHalb) {
        SC_RPM_MENGE_Struct &m = bListe ? r.stListe : r.stObjekte;
        // A size at least as large as one that failed before has failed twice: the limit stays at its half.
        if (m.iFehl != 0 && iAnz >= m.iFehl) m.iDecke = std::max(1, m.iFehl / 2);
        m.iFehl = m.iFehl == 0 ? iAnz : std::min(m.iFehl, iAnz);
        m.iMax = iAnz / 2;
        if (bListe) r.iElement = SC_RPM_OFFEN_RPM;
    } else {
        r.bNurRP = r.bNurRP || ++r.iEinzeln >= 2;
        if (bListe)
            r.iElement = SC_RPM_OFFEN_RP;
        else
            r.bObjRP = true;
    }
    if (TEST_T_I || TEST_T_I1 || TEST_T_O || TEST_T_O1)
        UT_TRC("\n\n", cRoutine, "RPM %s   Device : %lu   %s : %d   weiter mit %s", cGrund,
               (unsigned long)stScan->stGang.stObj.ulDev, bListe ? "Elemente" : "Objekte", iAnz,
               bHalb      ? "halber Menge"
               : r.bNurRP ? "ReadProperty f\x81r das Device"
                          : "ReadProperty");
}
