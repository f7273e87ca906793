// Compact time text "yyyymmddhhmmss" of a packed date-time, or the undefined text for an invalid one.
#include "runtime/ut/ut.h"

static char cCI[20];

char *UT_DT2CI(std::uint32_t ulDT) {
    unsigned uMonat = (ulDT >> 21) & 15, uStd = (ulDT >> 11) & 31, uMin = (ulDT >> 5) & 63, uHSek = ulDT & 31;
    if (uMonat > 12 || uStd > 23 || uMin >= 60 || uHSek >= 30) return cUT_CI_UNDEF;
    int n = std::snprintf(cCI, sizeof cCI, "%04u%02u%02u%02u%02u%02u", (ulDT >> 25) + 1980, uMonat,
                          (ulDT >> 16) & 31, uStd, uMin, 2 * uHSek);
    return n == 14 ? cCI : cUT_CI_UNDEF;
}
