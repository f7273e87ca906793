// Packed date-time of a local broken-down time; the loop clock and file times share it.
#include "runtime/ut/ut.h"

std::uint32_t UT_TM2DT(const struct tm *tm) {
    auto u = [](int i) { return static_cast<std::uint32_t>(i); };
    return ((u(tm->tm_year - 80) & 0x7F) << 25) | (u(tm->tm_mon + 1) << 21) | (u(tm->tm_mday) << 16) |
           (u(tm->tm_hour) << 11) | (u(tm->tm_min) << 5) | (u(tm->tm_sec > 59 ? 59 : tm->tm_sec) / 2);
}
