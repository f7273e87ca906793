// A device is started: its EDE record begins afresh, so a device is never listed twice.
#include "scanner/ede/sc_ede.h"
#include "scanner/walk/sc_scan.h"

void SC_EDE_DEV_ANFANG(const SC_SCAN_Struct *stScan, std::uint32_t ulDev) {
    if (!stSC_Ede.bAn) return;
    SC_EDE_GERAET_Struct &d = SC_EDE_GERAET(stScan->stGang.uDevIdx);
    d = SC_EDE_GERAET_Struct{};
    d.bGestartet = true;
    d.ulDev = ulDev;
}
