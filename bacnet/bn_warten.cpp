// Waits briefly until the data link in use has a frame waiting.
#include "bacnet/bn.h"

void QX04_BN_WARTEN(int iMs) {
    if (pQX04_Link != nullptr)
        pQX04_Link->pWarten(iMs);
    else
        IP_WAIT(iQX04_IP_APP, iMs);
}
