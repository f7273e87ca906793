// The one place that reads the clocks, so that tests can set them: the time of day, and a monotonic
// millisecond count that setting the time of day does not move.
#include <ctime>
#include "runtime/ut/ut.h"

static UT_CLOCK_FN fnClock = nullptr;
static UT_MSEK_FN fnMsek = nullptr;

void UT_CLOCK_SET(UT_CLOCK_FN fn) {
    fnClock = fn;
}

void UT_CLOCK_GET(struct timeval *tv) {
    if (fnClock != nullptr)
        fnClock(tv);
    else
        gettimeofday(tv, nullptr);
}

void UT_MSEK_SET(UT_MSEK_FN fn) {
    fnMsek = fn;
}

std::uint64_t UT_MSEK() {
    if (fnMsek != nullptr) return fnMsek();
    struct timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000 + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000;
}
