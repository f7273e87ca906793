// Waits at most iMs for the hub's connection to have something to read (without a connection, simply that
// long), then serves it. Nothing is waited for while NPDUs are unread or the library or TLS has data in hand.
#include <openssl/ssl.h>
#include <poll.h>
#include "bsc/bsc_lws.h"

void BSC_WARTEN(int iMs) {
    if (pBSC_Kontext == nullptr) return;
    // Data decrypted already and not yet read (a TLS record larger than one read) leaves the socket quiet.
    SSL *pSsl = pBSC_Wsi != nullptr ? lws_get_ssl(pBSC_Wsi) : nullptr;
    if (iBSC_EingangAnz > 0 || lws_service_adjust_timeout(pBSC_Kontext, 1, 0) == 0 ||
        (pSsl != nullptr && SSL_pending(pSsl) > 0))
        iMs = 0;
    pollfd stFd{pBSC_Wsi != nullptr ? lws_get_socket_fd(pBSC_Wsi) : -1, POLLIN, 0};
    if (iMs > 0) poll(&stFd, 1, iMs); // a negative descriptor is passed over: a plain sleep
    BSC_DIENST();
}
