// The scanner keeps no size limit on the error-log file.
#include "runtime/ut/ut.h"

std::uint32_t UT_EL_FSIZE(const char *) {
    return 0xFFFFFFFF;
}
