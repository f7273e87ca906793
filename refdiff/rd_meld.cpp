// A console message about a file, naming it and the line; trouble is recorded in the error log as well.
#include <cstdio>
#include "refdiff/rd.h"
#include "runtime/ut/ut.h"

void RD_MELDUNG(const char *cRoutine, int iErr, const char *cDatei, unsigned long ulZeile,
                const char *cText) {
    if (ulZeile > 0)
        std::fprintf(stderr, "refdiff: %s, Zeile %lu: %s\n", cDatei, ulZeile, cText);
    else
        std::fprintf(stderr, "refdiff: %s: %s\n", cDatei, cText);
    if (iErr < 0) UT_ERR_LOG(cRoutine, iErr, static_cast<int>(ulZeile), cDatei);
}
