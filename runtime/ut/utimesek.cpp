// Seconds of the day of the time word of a packed date-time; -1 for a field out of range.
#include "runtime/ut/ut.h"

int UT_UTIMESEK(std::uint16_t usTime) {
    int iStd = usTime >> 11;
    int iMin = (usTime >> 5) & 63;
    int iHSek = usTime & 31;
    if (usTime > 0xBFFF || iMin >= 60 || iHSek >= 30) return -1;
    return (iStd * 60 + iMin) * 60 + 2 * iHSek;
}
