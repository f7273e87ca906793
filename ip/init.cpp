// Prepares the endpoint table; later calls leave open endpoints alone.
#include "ip/ip.h"
#include "runtime/ut/ut.h"

static int iIP_Calls = 0;

int IP_INIT() {
    if (UT_TRC_IN()) UT_TRC("\n\n", "IP_INIT", "Nach Aufruf   Calls : %d", iIP_Calls);
    if (iIP_Calls <= 0)
        for (IP_APP &e : APP_IP)
            e.iSock = -1;
    int ier = iIP_Calls++;
    if (UT_TRC_OUT()) UT_TRC("\n\n", "IP_INIT", "Vor  RETURN    ier : %d", ier);
    return ier;
}
