// Starts a child that writes the df figures of the working directory into a temporary file.
#include <cstdio>
#include <unistd.h>
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

int SY_DF_START(const char *cName, const char *cFile) {
    char cBefehl[64];
    std::snprintf(cBefehl, sizeof cBefehl, "exec df -k . >%s", cFile);
    // An old file from an earlier run must not pass for this measurement.
    std::remove(cFile);
    std::fflush(stdout);
    std::fflush(stderr);
    int iPid = SY_PS_CFORK();
    if (iPid == 0) {
        int r = SY_PS_CSYST(cBefehl);
        if (TEST_T_A || TEST_T_A3) {
            char cKind[48];
            std::snprintf(cKind, sizeof cKind, "%s/KIND", cName);
            UT_TRC("\n\n", cKind, "Nach PS_CSYST(%s)   iier : %d", cBefehl, r);
        }
        // _exit: the parent's buffered output files must not be written a second time by the child.
        _exit(r);
    }
    return iPid;
}
