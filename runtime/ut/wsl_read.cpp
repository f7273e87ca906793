// Takes the oldest entry of a queue.
#include "runtime/ut/ut.h"

char *UT_WSL_READ(UT_WSL_Struct *psWSL) {
    return UT_WSL_RXXX(psWSL, 0);
}
