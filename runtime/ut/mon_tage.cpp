// Length of a month for the day-number conversions.
#include "runtime/ut/ut.h"

int UT_MON_TAGE(int iJahr, int iMonat) {
    switch (iMonat) {
    case 2:
        return 28 + UT_SCHALTJAHR(iJahr);
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}
