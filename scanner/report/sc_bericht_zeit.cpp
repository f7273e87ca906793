// A moment as ISO 8601 in local time with its UTC offset (2026-12-09T14:05:00+01:00).
#include <ctime>
#include "scanner/report/sc_bericht_json.h"

std::string SC_BERICHT_ZEIT(long long llSek) {
    const std::time_t t = static_cast<std::time_t>(llSek);
    std::tm tm{};
    localtime_r(&t, &tm);
    char c[40];
    const std::size_t n = std::strftime(c, sizeof c, "%Y-%m-%dT%H:%M:%S%z", &tm);
    if (n < 5) return std::string(c, n);
    return std::string(c, n - 2) + ":" + std::string(c + n - 2, 2); // +0100 -> +01:00
}
