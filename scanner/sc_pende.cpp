// Verdicts of the parallel scan: one time-out verdict per given-up device in table order (the scan itself
// went on, so the file holds everything the other devices gave).
#include "scanner/sc_par.h"

void SC_P_ENDE() {
    SC_URTEIL(stSC_Par.iErg, stSC_Par.vAufgegeben);
}
