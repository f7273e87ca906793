// What came back for the outstanding request: a ReadProperty's value or refusal (an Abort it takes as one)
// goes to the step in progress; what answers a ReadPropertyMultiple goes to its own handling, which hands
// each value to its step.
#include "scanner/walk/sc_scan.h"

void SC_ANTWORT(SC_SCAN_Struct *stScan, const SC_ANTWORT_Struct *stAntwort) {
    if (stScan->stAnf.iDienst != SC_DIENST_RP) {
        SC_RPM_ANTWORT(stScan, stAntwort);
        return;
    }
    const SC_WERT_Struct stWert = {stAntwort->stWert, stAntwort->iPdu, stAntwort->iKlasse, stAntwort->iCode};
    SC_SCHRITT_ANTWORT(stScan, stAntwort->iErg, &stWert);
}
