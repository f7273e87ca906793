// A finished object's data line: written at once, or, for a device scanned ahead of an earlier one that is
// still in progress, held with its number counted from the device's first line.
#include "scanner/sc_par.h"

int SC_ZEILE(SC_SCAN_Struct *stScan) {
    SC_HALT_Struct *h = stScan->pHalten;
    if (h == nullptr) return SC_REF_LINE(&stScan->stObj, &stScan->uZeile);
    int n = SC_REF_TEXT(&stScan->stObj, 0);
    if (n < 0) return SC_REF_WRITE(n); // a line too long for the buffer fails as its write would
    // Number 0 is formatted as its five digits; the rest of the line does not depend on the number.
    h->vZeilen.emplace_back(stScan->uZeile++, std::string(cSC_REF_Buf + 5, static_cast<std::size_t>(n) - 5));
    stSC_Par.uGehalten += h->vZeilen.back().second.size() + sizeof h->vZeilen.back();
    if (stSC_Par.uGehalten > stSC_Par.uSpitze) stSC_Par.uSpitze = stSC_Par.uGehalten;
    return 0;
}
