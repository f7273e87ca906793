// Header line frame of a ZDB reference file: "00000 dd/mm/yyyy hh:mm " and the source, from the loop time
// taken at start-up; the scanner and the converter both begin their file with it.
#include "runtime/ut/ut.h"

int UT_ZDB_HEAD(char *cBuf, std::size_t uSize, const char *cQuelle) {
    int n = std::snprintf(cBuf, uSize, "00000 %c%c/%c%c/%c%c%c%c %c%c:%c%c %s", cUT_LOOP10Tag, cUT_LOOP1Tag,
                          cUT_LOOP10Monat, cUT_LOOP1Monat, cUT_LOOPZeit[0], cUT_LOOPZeit[1], cUT_LOOP10Jahr,
                          cUT_LOOP1Jahr, cUT_LOOP10Std, cUT_LOOP1Std, cUT_LOOP10Min, cUT_LOOP1Min, cQuelle);
    if (n < 0 || uSize == 0) return 0;
    return static_cast<std::size_t>(n) < uSize ? n : static_cast<int>(uSize) - 1;
}
