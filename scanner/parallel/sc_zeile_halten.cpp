// A line of a device scanned ahead of an earlier one: held with its number counted from the device's first
// line, until its turn comes (SC_P_FERTIG).
#include "scanner/parallel/sc_par.h"

void SC_ZEILE_HALTEN(SC_HALT_Struct *stHalt, unsigned iNr, int iLen) {
    // Number 0 is formatted as its five digits; the rest of the line does not depend on the number.
    stHalt->vZeilen.emplace_back(iNr, std::string(cSC_REF_Buf + 5, static_cast<std::size_t>(iLen) - 5));
    stSC_Par.uGehalten += stHalt->vZeilen.back().second.size() + sizeof stHalt->vZeilen.back();
    if (stSC_Par.uGehalten > stSC_Par.uSpitze) stSC_Par.uSpitze = stSC_Par.uGehalten;
}
