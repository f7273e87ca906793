// What came back for an outstanding ReadPropertyMultiple. An acknowledgement is taken value by value: each
// goes to the scan step that would have asked for it by ReadProperty, through the same handling, so the
// objects end as the ReadProperty scan ends them and write the same lines. A Reject or an Error means the
// device does not take the service: it is read by ReadProperty from here on. An Abort, or no answer, asks for
// a smaller batch.
#include "runtime/ut/ut.h"
#include "scanner/walk/sc_scan.h"

static const char cRoutine[] = "SC_LOOP"; // the trace names the scan loop, whose step this is

// The largest text and state-text array in the answer, of all and of each text property, for the size of
// later batches.
static void LERNEN(SC_RPM_Struct &r, const QX04_BN_RPMERG *pErg, int n) {
    for (int i = 0; i < n; i++) {
        const QX04_BN_RPMERG &e = pErg[i];
        const unsigned u = e.iWert > 0 ? static_cast<unsigned>(e.iEnde - e.iWert) : 0;
        const unsigned char ucWert = SC_WERTART(e.stRef.ulPropId);
        if (ucWert == SC_W_FELD && u > r.uFeld) r.uFeld = u;
        if (ucWert == SC_W_TEXT && u > r.uText) r.uText = u;
        const int k = SC_RPM_WERT_NR(e.stRef.ulPropId);
        if (k >= 0 && u > r.auWert[static_cast<std::size_t>(k)]) r.auWert[static_cast<std::size_t>(k)] = u;
    }
}

void SC_RPM_ANTWORT(SC_SCAN_Struct *stScan, const SC_ANTWORT_Struct *stAntwort) {
    SC_RPM_Struct &r = stScan->stRpm;
    const int iDienst = stScan->stAnf.iDienst;
    if (iDienst == SC_DIENST_GANZ) {
        SC_RPM_GANZ_ANTWORT(stScan, stAntwort);
        return;
    }
    // A device that aborts a request taking segments is asked without them from here on.
    if (stAntwort->iArt == SC_ANT_ABBRUCH && stScan->stAnf.bSegAn) r.bSegNein = true;
    if (stAntwort->iArt == SC_ANT_ABBRUCH || stAntwort->iArt == SC_ANT_STILLE) {
        SC_RPM_WENIGER(stScan, stAntwort->iArt == SC_ANT_ABBRUCH ? "Abbruch" : "ohne Antwort");
        return;
    }
    const int n = stAntwort->iArt == SC_ANT_WERT ? stAntwort->iRpmAnz : -1;
    if (TEST_T_I || TEST_T_I1)
        UT_TRC("\n\n", cRoutine, "Nach RPM   Device : %lu   Ergebnisse : %d%s",
               (unsigned long)stScan->stGang.stObj.ulDev, n,
               n > 0 ? "" : "   abgelehnt: weiter mit ReadProperty f\x81r das Device");
    if (n <= 0) {
        r.bNurRP = true;
        if (iDienst == SC_DIENST_LISTE)
            r.iElement = SC_RPM_OFFEN_RP; // the element started is asked for again
        return;
    }
    LERNEN(r, stAntwort->pErg, n);
    SC_RPM_MEHR(iDienst == SC_DIENST_LISTE ? &r.stListe : &r.stObjekte);
    if (iDienst == SC_DIENST_LISTE)
        SC_RPM_LISTE_ANTWORT(stScan, stAntwort);
    else
        SC_RPM_OBJEKTE_ANTWORT(stScan, stAntwort);
}
