// Idle wait of a scan pass: a pass that neither received nor sent sleeps until a datagram arrives, but only
// briefly, so that every deadline is seen in time; the observers hear now and then that the scan waits (the
// progress line then shows that time goes on).
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/event/sc_ereignis.h"
#include "scanner/loop/sc_ablauf.h"

void SC_LEERLAUF(bool bEtwas) {
    if (bEtwas) return;
    QX04_BN_WARTEN(SC_WARTE_MS);
    static std::uint32_t ulTakt = 0;
    if (const std::uint32_t ulJetzt = UT_MSEK(); ulJetzt - ulTakt >= SC_TAKT_MS && SC_BEOBACHTET()) {
        ulTakt = ulJetzt;
        SC_EREIGNIS_Struct e{};
        e.iArt = SC_EV_TAKT;
        SC_MELDEN(&e);
    }
}
