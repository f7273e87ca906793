// Packed date-time of a day number plus seconds (which may exceed one day), odd seconds rounded.
#include "runtime/ut/ut.h"

std::uint32_t UT_TAG_S2DT(std::uint32_t ulTag, std::uint32_t ulSek) {
    // 64 bits so that rounding the largest second count does not wrap to 0.
    std::uint64_t ullSek = ulSek;
    if (ullSek % 10 >= 5) ullSek++;
    std::uint64_t ullTag = ulTag + ullSek / 86400;
    std::uint64_t G = 0, S = 0;
    if (ullTag >= 29218) {
        G = ullTag - 29218;
        S = ullSek % 86400;
    }
    std::uint32_t ulJahrIdx = 0;
    while (G > static_cast<std::uint64_t>(365 + UT_SCHALTJAHR(1980 + static_cast<int>(ulJahrIdx)))) {
        G -= 365 + UT_SCHALTJAHR(1980 + static_cast<int>(ulJahrIdx));
        ulJahrIdx++;
    }
    std::uint32_t ulMonat = 1;
    while (G > static_cast<std::uint64_t>(
                   UT_MON_TAGE(1980 + static_cast<int>(ulJahrIdx), static_cast<int>(ulMonat)))) {
        G -= UT_MON_TAGE(1980 + static_cast<int>(ulJahrIdx), static_cast<int>(ulMonat));
        ulMonat++;
    }
    std::uint32_t ulStd = static_cast<std::uint32_t>(S / 3600);
    std::uint32_t ulMin = static_cast<std::uint32_t>(S % 3600 / 60);
    std::uint32_t ulHSek = static_cast<std::uint32_t>(S % 3600 % 60 / 2);
    return (ulJahrIdx << 25) | (ulMonat << 21) | (static_cast<std::uint32_t>(G) << 16) | (ulStd << 11) |
           (ulMin << 5) | ulHSek;
}
