// The client's TLS context, set up once when the context is made: TLS 1.3 as the link requires, the session
// keys appended to the file that SSLKEYLOGFILE names (so that a capture can be decoded, as with other TLS
// clients), and the handshake watched, so that a refusal can be named.
#include <cstdio>
#include <cstdlib>
#include <openssl/ssl.h>
#include "bsc/bsc_lws.h"

static void SCHLUESSEL(const SSL *, const char *cZeile) {
    const char *cDatei = std::getenv("SSLKEYLOGFILE");
    if (cDatei == nullptr || cDatei[0] == '\0') return;
    FILE *fp = std::fopen(cDatei, "a");
    if (fp == nullptr) return;
    std::fprintf(fp, "%s\n", cZeile);
    std::fclose(fp);
}

static void VERLAUF(const SSL *, int iWo, int iWert) {
    if (iWo & SSL_CB_HANDSHAKE_START) stBSC_Tls.bBegonnen = true;
    if (iWo & SSL_CB_HANDSHAKE_DONE) stBSC_Tls.bFertig = true;
    // the first fatal alert the hub sent says why it refused
    if ((iWo & SSL_CB_READ_ALERT) && (iWert >> 8) == SSL3_AL_FATAL && stBSC_Tls.iAlarmGelesen < 0)
        stBSC_Tls.iAlarmGelesen = iWert & 0xFF;
}

void BSC_TLS_EINRICHTEN(void *pSslCtx) {
    SSL_CTX *pCtx = static_cast<SSL_CTX *>(pSslCtx);
    SSL_CTX_set_min_proto_version(pCtx, TLS1_3_VERSION);
    SSL_CTX_set_keylog_callback(pCtx, SCHLUESSEL);
    SSL_CTX_set_info_callback(pCtx, VERLAUF);
}
