// The one place that reads the clocks (time of day and monotonic milliseconds), so that tests can set them.
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

std::uint32_t UT_MSEK() {
    if (fnMsek != nullptr) return fnMsek();
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
                                      static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u);
}
