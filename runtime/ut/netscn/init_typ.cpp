// The scanner checks no type widths at start-up.
#include "runtime/ut/ut.h"

int UT_INIT_TYPEN() {
    return 0;
}
