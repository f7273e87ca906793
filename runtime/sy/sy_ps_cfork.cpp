// Starts a child process (the disk measurement of the scanner).
#include <unistd.h>
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

int SY_PS_CFORK() {
    if (UT_TRC_IN()) UT_TRC("\n\n", "SY_PS_CFORK", "Nach Aufruf");
    int ier = static_cast<int>(fork());
    if (UT_TRC_OUT()) UT_TRC("\n\n", "SY_PS_CFORK", "Vor  RETURN    ier : %d", ier);
    return ier;
}
