// The EDE record of a device, by its device table index; records are made as devices come.
#include "scanner/ede/sc_ede_intern.h"

SC_EDE_GERAET_Struct &SC_EDE_GERAET(std::uint32_t uDev) {
    if (uDev >= stSC_Ede.vGeraet.size()) stSC_Ede.vGeraet.resize(uDev + 1);
    return stSC_Ede.vGeraet[uDev];
}
