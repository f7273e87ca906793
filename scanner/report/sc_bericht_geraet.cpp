// The report's record of a device, by its device table index; records are made as devices come.
#include "scanner/report/sc_bericht_intern.h"

SC_GERAETBERICHT_Struct &SC_BERICHT_GERAET(std::uint32_t uDev) {
    if (uDev >= stSC_Bericht.vGeraet.size()) stSC_Bericht.vGeraet.resize(uDev + 1);
    return stSC_Bericht.vGeraet[uDev];
}
