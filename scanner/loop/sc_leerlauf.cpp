// Idle wait of a scan pass: a pass that neither received nor sent sleeps until a datagram arrives, but only
// briefly, so that every deadline is seen in time.
#include "bacnet/bn.h"
#include "scanner/loop/sc_ablauf.h"

void SC_LEERLAUF(bool bEtwas) {
    if (!bEtwas) QX04_BN_WARTEN(SC_WARTE_MS);
}
