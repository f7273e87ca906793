// Trace probe for tests: runs a piece of code with the trace stream going to memory and the clock standing at
// 17.05.24 13:45:30 UTC, and returns what was traced.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include "runtime/ut/ut.h"

inline void NT_TRC_UHR(struct timeval *tv) {
    tv->tv_sec = 1715953530;
    tv->tv_usec = 0;
}

template <class F> std::string NT_TRC_SPUR(F fn) {
    setenv("TZ", "UTC", 1);
    tzset();
    UT_CLOCK_SET(NT_TRC_UHR);
    char *cBuf = nullptr;
    std::size_t uLen = 0;
    FILE *fp = open_memstream(&cBuf, &uLen);
    FILE *fpAlt = TEST_T_fpout;
    TEST_T_fpout = fp;
    fn();
    TEST_T_fpout = fpAlt;
    UT_CLOCK_SET(nullptr);
    std::fclose(fp);
    std::string s(cBuf, uLen);
    std::free(cBuf);
    return s;
}
