// Time-stamp text "dd.mm.yy  hh:mm:ss" that starts every trace and error-log line.
#include <ctime>
#include "runtime/ut/ut.h"

static char T_TIME[19];

// Two digits at p (a blank counts as a leading zero) within lo..hi.
static bool ZIFFERN_OK(const char *p, int lo, int hi) {
    char a = p[0] == ' ' ? '0' : p[0];
    if (a < '0' || a > '9' || p[1] < '0' || p[1] > '9') return false;
    int v = (a - '0') * 10 + (p[1] - '0');
    return v >= lo && v <= hi;
}

char *UT_T_TIME() {
    for (int i = 0; i < 10000; i++) {
        struct timeval tv;
        UT_CLOCK_GET(&tv);
        time_t t = tv.tv_sec;
        struct tm tm;
        localtime_r(&t, &tm);
        auto u = [](int i) { return static_cast<unsigned>(i) % 100u; }; // two digits each, as checked below
        std::snprintf(T_TIME, sizeof T_TIME, "%2u.%02u.%02u  %2u:%02u:%02u", u(tm.tm_mday), u(tm.tm_mon + 1),
                      u(tm.tm_year), u(tm.tm_hour), u(tm.tm_min), u(tm.tm_sec));
        if (ZIFFERN_OK(T_TIME, 1, 31) && ZIFFERN_OK(T_TIME + 3, 1, 12) && ZIFFERN_OK(T_TIME + 6, 0, 99) &&
            ZIFFERN_OK(T_TIME + 10, 0, 23) && ZIFFERN_OK(T_TIME + 13, 0, 59) && ZIFFERN_OK(T_TIME + 16, 0, 59))
            break;
    }
    return T_TIME;
}
