// The idle wait of a scan pass through a hub: until the connection has something to read, at most iMs.
#include "bsc/bsc.h"
#include "scanner/securelink/sc_sicher.h"

void SC_SICHER_WARTEN(int iMs) {
    BSC_WARTEN(iMs);
    SC_SICHER_LAGE();
}
