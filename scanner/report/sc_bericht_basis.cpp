// A device scanned ahead of an earlier one comes to its turn: the numbers it counted from its first line get
// the file's numbers from uBasis on.
#include "scanner/report/sc_bericht.h"

void SC_BERICHT_BASIS(std::uint32_t uDev, unsigned uBasis) {
    if (!stSC_Bericht.bAn) return;
    SC_BERICHT_GERAET(uDev).uBasis = uBasis;
}
