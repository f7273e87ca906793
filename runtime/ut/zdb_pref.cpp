// Columns 1-48 of a ZDB reference data line (number, data-point id, type, constants, attribute code); the
// scanner and the converter differ only from column 49 on.
#include "runtime/ut/ut.h"

int UT_ZDB_PREFIX(char *cBuf, std::size_t uSize, unsigned uNr, const char *cDpId, unsigned uTyp,
                  unsigned long ulAtb) {
    int n = std::snprintf(cBuf, uSize, "%05u %-16s %1u 0 15 15 15 0 0 000 %03lu ", uNr, cDpId, uTyp, ulAtb);
    if (n < 0 || uSize == 0) return 0;
    return static_cast<std::size_t>(n) < uSize ? n : static_cast<int>(uSize) - 1;
}
