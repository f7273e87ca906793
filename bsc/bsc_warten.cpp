// Waits at most iMs for the hub's connection to have something to read (without a connection, simply that
// long), then serves it. Nothing is waited for while NPDUs are unread or the library has data in hand.
#include <poll.h>
#include "bsc/bsc_lws.h"

void BSC_WARTEN(int iMs) {
    if (pBSC_Kontext == nullptr) return;
    if (iBSC_EingangAnz > 0 || lws_service_adjust_timeout(pBSC_Kontext, 1, 0) == 0) iMs = 0;
    pollfd stFd{pBSC_Wsi != nullptr ? lws_get_socket_fd(pBSC_Wsi) : -1, POLLIN, 0};
    if (iMs > 0) poll(&stFd, 1, iMs); // a negative descriptor is passed over: a plain sleep
    BSC_DIENST();
}
