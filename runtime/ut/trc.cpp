// Writes one trace line with the common "(time stamp)   NAME:  " prefix, so each operation keeps only its text.
#include <cstdarg>
#include "runtime/ut/ut.h"

void UT_TRC(const char *cLead, const char *cName, const char *cFmt, ...) {
    FILE *fp = TEST_T_fpout != nullptr ? TEST_T_fpout : stderr;
    std::fprintf(fp, "%s(%s)   %s:  ", cLead, UT_T_TIME(), cName);
    va_list ap;
    va_start(ap, cFmt);
    std::vfprintf(fp, cFmt, ap);
    va_end(ap);
    std::fflush(fp);
}

void UT_TRC_CONT(const char *cFmt, ...) {
    FILE *fp = TEST_T_fpout != nullptr ? TEST_T_fpout : stderr;
    va_list ap;
    va_start(ap, cFmt);
    std::vfprintf(fp, cFmt, ap);
    va_end(ap);
}
