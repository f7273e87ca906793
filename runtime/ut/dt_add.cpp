// Moves a packed date-time forward by days and seconds; the undefined time stays undefined.
#include "runtime/ut/ut.h"

std::uint32_t UT_DT_ADD(std::uint32_t ulDT, int iTage, std::uint32_t ulSek) {
    if (ulDT == 0xFFFFFFFF) return 0xFFFFFFFF;
    std::uint32_t ulTag = static_cast<std::uint32_t>(UT_UDATETAG(static_cast<std::uint16_t>(ulDT >> 16))) +
                          static_cast<std::uint32_t>(iTage) + ulSek / 86400;
    std::uint32_t ulTagSek =
        static_cast<std::uint32_t>(UT_UTIMESEK(static_cast<std::uint16_t>(ulDT))) + ulSek % 86400;
    return UT_TAG_S2DT(ulTag, ulTagSek);
}
