// End of a scan pass: the registration with a BBMD is kept up; a pass that neither received nor sent sleeps
// until a datagram arrives, but only briefly, so that every deadline is seen in time; then the loop clock
// advances.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

void SC_PASS_ENDE(bool bEtwas) {
    SC_BBMD_PFLEGE();
    if (!bEtwas) IP_WAIT(iQX04_IP_APP, SC_WARTE_MS);
    UT_LOOPTIME();
}
