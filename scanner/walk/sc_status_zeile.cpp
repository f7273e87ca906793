// The status line the scan rewrites with a carriage return: the device started, or the object whose name has
// come. With -V the progress line takes its place.
#include <cstdio>
#include "runtime/ut/ut.h"
#include "scanner/report/sc_bericht.h"
#include "scanner/walk/sc_scan.h"

void SC_STATUS_ZEILE(std::uint32_t ulDev, const char *cObj) {
    if (stSC_Bericht.bFortschritt) return SC_FORTSCHRITT_ZEILE(ulDev, cObj != nullptr ? cObj : "");
    if (cObj == nullptr)
        std::printf("\r%s      Scannen von  Device : %lu                            ", UT_T_TIME(),
                    (unsigned long)ulDev);
    else
        std::printf("\r%s      Scannen von  Device : %lu  Object : %s        ", UT_T_TIME(),
                    (unsigned long)ulDev, cObj);
    std::fflush(stdout);
}
