// Time-jump test (switch -Z): at the scheduled moment the jump is recorded in the operating protocol and the
// clock is set to the target time, once.
#include "runtime/ut/ut.h"

int UT_Z_JUMP() {
    if (!TEST_Z_ || ulUT_Z_Set == 0xFFFFFFFF) return 0;
    std::uint32_t dt = ulUT_Z_Set;
    char cMeldung[128];
    std::snprintf(cMeldung, sizeof cMeldung,
                  "%s  ****  Zeitsprung auf  %2ld.%02ld.%04ld %02ld:%02ld:%02ld  durchgef\x81hrt ****",
                  UT_T_TIME(), (long)((dt >> 16) & 31), (long)((dt >> 21) & 15), (long)((dt >> 25) + 1980),
                  (long)((dt >> 11) & 31), (long)((dt >> 5) & 63), (long)((dt & 31) * 2));
    UT_DR_OPROT(cMeldung);
    UT_SET_RTC(dt);
    ulUT_Z_Nxt = 0xFFFFFFFF;
    ulUT_Z_Set = 0xFFFFFFFF;
    return 0;
}
