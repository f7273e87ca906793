// Start of a device: its console line, and the exchange and ReadPropertyMultiple start afresh, because what
// they learnt about the device before says nothing about this one.
#include "scanner/ede/sc_ede.h"
#include "scanner/report/sc_bericht.h"
#include "scanner/walk/sc_scan.h"

void SC_DEV_ANFANG(SC_SCAN_Struct *stScan, std::uint32_t ulDev) {
    SC_AUSTAUSCH_GERAET(&stScan->stAnf);
    SC_RPM_NEU(&stScan->stRpm);
    SC_BERICHT_DEV_ANFANG(stScan);
    SC_EDE_DEV_ANFANG(stScan, ulDev);
    SC_STATUS_ZEILE(ulDev, nullptr);
}
