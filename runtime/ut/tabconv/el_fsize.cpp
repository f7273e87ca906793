// Size of the error-log file for the converter's size limit.
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

std::uint32_t UT_EL_FSIZE(const char *cName) {
    return SY_FI_SIZE(cName);
}
