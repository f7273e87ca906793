// Start of a scan, sequential or parallel: entry trace, the loop clock, the observers told, and the console
// line that the scan now waits for devices.
#include "runtime/ut/ut.h"
#include "scanner/event/sc_ereignis.h"
#include "scanner/loop/sc_ablauf.h"

std::uint32_t ulSC_WhoIsMs = 0;

void SC_LOOP_BEGINN() {
    if (UT_TRC_IN()) UT_TRC("\n\n", "SC_LOOP", "Nach Aufruf");
    // The loop clock was last read when the set-up began, and the set-up may have taken seconds (name
    // lookups for the route file): the first deadline counts from now, not from then.
    UT_LOOPTIME();
    SC_EREIGNIS_Struct e{};
    e.iArt = SC_EV_SCAN_ANFANG;
    SC_MELDEN(&e);
    std::printf("\n\n\n%s      Warten auf 'I-Am'", UT_T_TIME());
    std::fflush(stdout);
}
