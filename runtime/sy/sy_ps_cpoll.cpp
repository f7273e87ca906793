// Looks without waiting whether a child (or any child for -1) has ended.
#include <sys/resource.h>
#include <sys/wait.h>
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

int SY_PS_CPOLL(int iPid, int *ipStat) {
    if (UT_TRC_IN()) UT_TRC("\n\n", "SY_PS_CPOLL", "Nach Aufruf   PID : %d", iPid);
    int iStat = 0;
    int ier = static_cast<int>(wait4(iPid, &iStat, WNOHANG, nullptr));
    *ipStat = ier < 0 ? ier : iStat;
    if (UT_TRC_OUT()) UT_TRC("\n\n", "SY_PS_CPOLL", "Vor  RETURN    ier : %d  ipStat : %d", ier, *ipStat);
    return ier;
}
