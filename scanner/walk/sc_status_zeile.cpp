// The status line the scan rewrites with a carriage return: the device started, or the object whose name has
// come. An observer that writes its own status line (the progress line) takes its place.
#include <cstdio>
#include "runtime/ut/ut.h"
#include "scanner/walk/sc_scan.h"

void SC_STATUS_ZEILE(std::uint32_t ulDev, const char *cObj) {
    SC_EREIGNIS_Struct e{};
    e.iArt = SC_EV_STATUS;
    e.ulDev = ulDev;
    e.cId = cObj;
    SC_MELDEN(&e);
    if (SC_STATUSZEILE_ERSETZT()) return;
    if (cObj == nullptr)
        std::printf("\r%s      Scannen von  Device : %lu                            ", UT_T_TIME(),
                    (unsigned long)ulDev);
    else
        std::printf("\r%s      Scannen von  Device : %lu  Object : %s        ", UT_T_TIME(),
                    (unsigned long)ulDev, cObj);
    std::fflush(stdout);
}
