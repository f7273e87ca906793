// Hands one value (or refusal) of a ReadPropertyMultiple answer, or an object-list element read ahead, to the
// step in progress, as if it were the answer to the ReadProperty of that step: the same handling, the same
// line when the object is complete.
#include "scanner/sc.h"

void SC_RPM_GEBEN(SC_SCAN_Struct *stScan, int iErg, int iPos) {
    stScan->stRpm.iWertPos = iPos;
    stScan->iWarten = SC_WARTET;
    SC_ANTWORT(stScan, iErg);
    stScan->stRpm.iWertPos = 0;
}
