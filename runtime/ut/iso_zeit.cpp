// A moment as ISO 8601 in local time with its UTC offset (2026-12-09T14:05:00+01:00), as the machine-read
// files of the scanner date themselves.
#include <cstdio>
#include <ctime>
#include "runtime/ut/ut.h"

int UT_ISO_ZEIT(long long llSek, char *cOut, std::size_t uSize) {
    const std::time_t t = static_cast<std::time_t>(llSek);
    std::tm tm{};
    localtime_r(&t, &tm);
    char c[UT_ISO_ZEIT_LEN];
    const int n = static_cast<int>(std::strftime(c, sizeof c, "%Y-%m-%dT%H:%M:%S%z", &tm));
    // +0100 -> +01:00
    const int m = n < 5 ? std::snprintf(cOut, uSize, "%.*s", n, c)
                        : std::snprintf(cOut, uSize, "%.*s:%s", n - 2, c, c + n - 2);
    return uSize == 0 || m < 0 ? 0 : m < static_cast<int>(uSize) ? m : static_cast<int>(uSize) - 1;
}
