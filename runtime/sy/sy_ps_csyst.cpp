// Runs a shell command and returns its exit code (255 when it could not be run).
#include <cstdlib>
#include <sys/wait.h>
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

int SY_PS_CSYST(const char *cBefehl) {
    if (UT_TRC_IN()) UT_TRC("\n\n", "SY_PS_CSYST", "Nach Aufruf   Befehl : >%s<", cBefehl);
    int iStat = std::system(cBefehl);
    int ier = iStat == -1 ? 255 : (iStat >> 8) & 0xFF;
    if (UT_TRC_OUT()) UT_TRC("\n\n", "SY_PS_CSYST", "Vor  RETURN    ier : %d", ier);
    return ier;
}
