// Packed date-time of a file's last change, or 0xFFFFFFFF when the file cannot be looked at.
#include <sys/stat.h>
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

std::uint32_t SY_FI_DT(const char *cName) {
    struct stat st;
    if (stat(cName, &st) != 0) return 0xFFFFFFFF;
    struct tm tm;
    localtime_r(&st.st_mtime, &tm);
    return UT_TM2DT(&tm);
}
