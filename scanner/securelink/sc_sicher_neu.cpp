// Forgets -S and its files and the open requests of an earlier run in the same process.
#include "bsc/bsc.h"
#include "scanner/securelink/sc_sicher.h"

void SC_SICHER_NEU() {
    bSC_Sicher = false;
    pQX04_Link = nullptr;
    stBSC = BSC_Struct{};
    for (SC_OFFEN_Struct &o : astSC_Offen)
        o.bBelegt = false;
}
