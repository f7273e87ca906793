// Set clock for tests: UT_CLOCK_GET then returns the time given here (UTC), so loop times, time stamps and
// period starts can be checked for chosen moments.
#pragma once
#include <cstdlib>
#include <ctime>
#include "runtime/ut/ut.h"

inline struct timeval &NT_UHR_ZEIT() {
    static struct timeval tv {};
    return tv;
}

inline void NT_UHR_LESEN(struct timeval *tv) {
    *tv = NT_UHR_ZEIT();
}

// Local time is UTC from here on; the clock stands at the given moment until the next call.
inline void NT_UHR(int iJahr, int iMonat, int iTag, int iStd, int iMin, int iSek, long lUSek = 0) {
    setenv("TZ", "UTC", 1);
    tzset();
    struct tm tm {};
    tm.tm_year = iJahr - 1900;
    tm.tm_mon = iMonat - 1;
    tm.tm_mday = iTag;
    tm.tm_hour = iStd;
    tm.tm_min = iMin;
    tm.tm_sec = iSek;
    NT_UHR_ZEIT().tv_sec = timegm(&tm);
    NT_UHR_ZEIT().tv_usec = lUSek;
    UT_CLOCK_SET(NT_UHR_LESEN);
}

// Packed date-time written out field by field, for expected values.
constexpr std::uint32_t NT_DT(unsigned uJahr, unsigned uMonat, unsigned uTag, unsigned uStd, unsigned uMin,
                              unsigned uSek) {
    return ((uJahr - 1980) << 25) | (uMonat << 21) | (uTag << 16) | (uStd << 11) | (uMin << 5) | (uSek / 2);
}
