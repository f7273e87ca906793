// Width checks of the basic types the converter's records rely on; the last mismatch found decides the code.
#include "runtime/ut/ut.h"

int UT_INIT_TYPEN() {
    int ier = 0;
    if (sizeof(char) != 1) {
        std::printf("\n   UT_INIT:  sizeof(char)  : %d Byte(s)", static_cast<int>(sizeof(char)));
        ier = -21;
    }
    if (sizeof(short) != 2) {
        std::printf("\n   UT_INIT:  sizeof(short) : %d Byte(s)", static_cast<int>(sizeof(short)));
        ier = -22;
    }
    if (sizeof(std::uint32_t) != 4) {
        std::printf("\n   UT_INIT:  sizeof(uint32_t)  : %d Byte(s)", static_cast<int>(sizeof(std::uint32_t)));
        ier = -24;
    }
    if (sizeof(UT_ZDB_ASDU_30_1) != 5) {
        std::printf("\n   UT_INIT:  sizeof(UT_ZDB_ASDU_30_1) : %d Byte(s)",
                    static_cast<int>(sizeof(UT_ZDB_ASDU_30_1)));
        ier = -25;
    }
    return ier;
}
