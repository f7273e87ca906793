// Folds a phase result into the program's combined code; the first failing phase decides.
#include "scanner/sc.h"

int SC_KODE(int iKode, int iErg, int iPhase) {
    if (iKode != 0 || iErg >= 0) return iKode;
    return iErg - 100 * iPhase;
}
