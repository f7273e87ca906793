// Connects as the set-up needs it: one attempt at the hub, waited for (at most BSC_AUFBAU_MS, the library
// served meanwhile), and tried again with a new VMAC as often as the hub says that one is in use already.
#include "bsc/bsc.h"
#include "runtime/ut/ut.h"

constexpr int BSC_VMAC_VERSUCHE = 3; // drawn anew at most this often: a fourth clash is no chance

int BSC_OEFFNEN(int iHub) {
    for (int i = 0; i < BSC_VMAC_VERSUCHE; i++) {
        BSC_VERBINDEN(iHub);
        while (stBSC.iZustand == BSC_AUFBAU || stBSC.iZustand == BSC_ANMELDUNG)
            BSC_WARTEN(10);
        if (stBSC.iZustand == BSC_OFFEN) return 0;
        if (stBSC.iGrund != BSC_G_ABGELEHNT || stBSC.iDetail != BSC_CODE_VMAC_DOPPELT) break;
    }
    return -1;
}
