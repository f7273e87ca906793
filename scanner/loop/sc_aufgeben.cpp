// A device of the sequential scan that stays silent after its repetitions is given up as the parallel scan
// gives it up: its end is told, its time-out verdict text kept for the end, and the walk goes on with the
// next entry of the device table. One silent device must not cost the devices after it.
#include "scanner/loop/sc_ablauf.h"
#include "scanner/walk/sc_scan.h"

std::vector<std::string> vSC_Aufgegeben;

void SC_AUFGEBEN(SC_SCAN_Struct *stScan) {
    SC_GANG_Struct &g = stScan->stGang;
    SC_DEV_SCHLUSS(stScan, SC_AUS_AUFGEGEBEN);
    vSC_Aufgegeben.emplace_back(SC_TMO_ADR(stScan));
    SC_AUSTAUSCH_ENDE(&stScan->stAnf); // a late answer finds nothing outstanding
    SC_RPM_NEU(&stScan->stRpm);        // nor is a batch handed back asked again of the next device
    g.iObjIdx = -1;
    g.PROP_Modus = -1;
    g.uDevIdx++;
}
