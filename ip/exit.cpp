// Closes every open endpoint at the end of the run; the table stays usable.
#include "ip/ip.h"
#include "runtime/ut/ut.h"

int IP_EXIT() {
    if (UT_TRC_IN()) UT_TRC("\n\n", "IP_EXIT", "Nach Aufruf");
    for (int i = 0; i < IP_APP_MAX; i++)
        if (APP_IP[i].iSock != -1) IP_CLOSE(i);
    if (UT_TRC_OUT()) UT_TRC("\n\n", "IP_EXIT", "Vor  RETURN    ier : %d", 0);
    return 0;
}
