// The one place that reads the time of day, so that tests can set the clock.
#include "runtime/ut/ut.h"

static UT_CLOCK_FN fnClock = nullptr;

void UT_CLOCK_SET(UT_CLOCK_FN fn) {
    fnClock = fn;
}

void UT_CLOCK_GET(struct timeval *tv) {
    if (fnClock != nullptr)
        fnClock(tv);
    else
        gettimeofday(tv, nullptr);
}
