// Size of a file (low 32 bits), or 0xFFFFFFFF when the file cannot be looked at.
#include <sys/stat.h>
#include "runtime/sy/sy.h"

std::uint32_t SY_FI_SIZE(const char *cName) {
    struct stat st;
    if (stat(cName, &st) != 0) return 0xFFFFFFFF;
    return static_cast<std::uint32_t>(st.st_size);
}
