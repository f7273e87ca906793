// Leap-year rule of all date operations.
#include "runtime/ut/ut.h"

int UT_SCHALTJAHR(int iJahr) {
    return (iJahr % 4 == 0 && !(iJahr % 100 == 0 && iJahr % 400 != 0)) ? 1 : 0;
}
