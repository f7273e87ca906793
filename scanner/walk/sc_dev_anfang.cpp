// Start of a device: its console line, and the exchange and ReadPropertyMultiple start afresh, because what
// they learnt about the device before says nothing about this one. The one place a device's start is told.
#include "scanner/walk/sc_scan.h"

void SC_DEV_ANFANG(SC_SCAN_Struct *stScan, std::uint32_t ulDev) {
    SC_AUSTAUSCH_GERAET(&stScan->stAnf);
    SC_RPM_NEU(&stScan->stRpm);
    SC_EREIGNIS_Struct e{};
    e.iArt = SC_EV_DEV_ANFANG;
    e.uDev = stScan->stGang.uDevIdx;
    e.ulDev = ulDev;
    SC_MELDEN(&e);
    SC_STATUS_ZEILE(ulDev, nullptr);
}
