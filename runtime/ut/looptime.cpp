// Loop clock: called once per pass of a program's main loop, so that every part of the program sees the same
// time during one pass; also keeps the starts of the current hour, day, week, month and year.
#include <cstring>
#include "runtime/ut/ut.h"

// The twelve digit globals, tens of the year to units of the second, and their twins of the previous pass.
static char *const cLoop[12] = {&cUT_LOOP10Jahr, &cUT_LOOP1Jahr, &cUT_LOOP10Monat, &cUT_LOOP1Monat,
                                &cUT_LOOP10Tag,  &cUT_LOOP1Tag,  &cUT_LOOP10Std,   &cUT_LOOP1Std,
                                &cUT_LOOP10Min,  &cUT_LOOP1Min,  &cUT_LOOP10Sek,   &cUT_LOOP1Sek};
static char *const cLast[12] = {&cUT_LAST10Jahr, &cUT_LAST1Jahr, &cUT_LAST10Monat, &cUT_LAST1Monat,
                                &cUT_LAST10Tag,  &cUT_LAST1Tag,  &cUT_LAST10Std,   &cUT_LAST1Std,
                                &cUT_LAST10Min,  &cUT_LAST1Min,  &cUT_LAST10Sek,   &cUT_LAST1Sek};

int UT_LOOPTIME() {
    ulUT_LASTZeit = ulUT_LOOPZeit;
    std::memcpy(cUT_LASTZeit, cUT_LOOPZeit, sizeof cUT_LASTZeit);
    for (int i = 0; i < 12; i++)
        *cLast[i] = *cLoop[i];
    ucUT_LASTWTag = ucUT_LOOPWTag;
    ucUT_LASTHSek = ucUT_LOOPHSek;
    ulUT_LASTuSek = ulUT_LOOPuSek;

    if (TEST_Z_ && ulUT_LASTZeit >= ulUT_Z_Nxt) UT_Z_JUMP();

    struct timeval tv;
    UT_CLOCK_GET(&tv);
    time_t t = tv.tv_sec;
    struct tm tm;
    localtime_r(&t, &tm);
    ulUT_LOOPZeit = UT_TM2DT(&tm);
    ucUT_LOOPHSek = static_cast<unsigned char>(tv.tv_usec / 10000 + (tm.tm_sec % 2 != 0 ? 100 : 0));
    ulUT_LOOPuSek = static_cast<std::uint32_t>(tv.tv_usec);
    auto u = [](int i, unsigned m) { return static_cast<unsigned>(i) % m; }; // bounded digits
    std::snprintf(cUT_LOOPZeit, sizeof cUT_LOOPZeit, "%04u%02u%02u%02u%02u%02u", u(tm.tm_year + 1900, 10000),
                  u(tm.tm_mon + 1, 100), u(tm.tm_mday, 100), u(tm.tm_hour, 100), u(tm.tm_min, 100),
                  u(tm.tm_sec, 100));
    ucUT_LOOPWTag = static_cast<unsigned char>(tm.tm_wday == 0 ? 6 : tm.tm_wday - 1);

    for (int i = 0; i < 12; i++)
        *cLoop[i] = cUT_LOOPZeit[2 + i];

    // A new hour (or day, month, year; always on the first call) moves the period starts.
    if (((ulUT_LOOPZeit ^ ulUT_LASTZeit) & 0xFFFFF800u) != 0) {
        ulUT_ZB_Stunde = ulUT_LOOPZeit & 0xFFFFF800u;
        ulUT_ZB_Tag = ulUT_LOOPZeit & 0xFFFF0000u;
        ulUT_ZB_Woche =
            UT_TAG_S2DT(static_cast<std::uint32_t>(
                            UT_UDATETAG(static_cast<std::uint16_t>(ulUT_LOOPZeit >> 16)) - ucUT_LOOPWTag),
                        0);
        ulUT_ZB_Monat = (ulUT_LOOPZeit & 0xFFE00000u) | 0x00010000u;
        ulUT_ZB_Jahr = (ulUT_LOOPZeit & 0xFE000000u) | 0x00210000u;
    }
    return 0;
}
