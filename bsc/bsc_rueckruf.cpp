// What libwebsockets reports about the connection: the TLS context to set up, the hub's certificate checked,
// the attempt failed or upgraded, a message received (in fragments), room to write, the connection closed.
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include "bsc/bsc_lws.h"
#include "runtime/ut/ut.h"

// A message is put together from its fragments here; one longer than the node takes is dropped whole.
static unsigned char ucTeil[BSC_BVLC_MAX];
static int iTeil = 0;
static bool bZuLang = false;

// Why the attempt failed, from how far its TLS handshake came. A hub that refuses the node's certificate
// sends its alert and closes; the library may see the close first and never read the alert, so it is read
// here, when the connection still has it.
static void FEHLGESCHLAGEN(lws *wsi, const char *cWorte) {
    if (stBSC_Tls.bFertig && stBSC_Tls.iAlarmGelesen < 0 && wsi != nullptr) {
        if (SSL *pSsl = lws_get_ssl(wsi); pSsl != nullptr) {
            char cRest[256];
            SSL_read(pSsl, cRest, sizeof cRest); // the alert, if it came, reaches the handshake's watch
        }
    }
    int iGrund = BSC_G_NETZ, iDetail = 0;
    if (stBSC_Tls.iX509 != 0) {
        iGrund = BSC_G_HUBZERT, iDetail = stBSC_Tls.iX509;
    } else if (stBSC_Tls.iAlarmGelesen >= 0) {
        // alerts 42 to 49 and 116 (certificate required) are about the node's certificate
        const int a = stBSC_Tls.iAlarmGelesen;
        iGrund = (a >= 42 && a <= 49) || a == 116 ? BSC_G_EIGENZERT : BSC_G_TLS, iDetail = a;
    } else if (stBSC_Tls.bFertig) {
        // Without an HTTP answer the hub closed as soon as TLS was through: its check of the node's
        // certificate, whose alert did not arrive.
        iDetail = wsi != nullptr ? static_cast<int>(lws_http_client_http_response(wsi)) : 0;
        iGrund = iDetail > 0 ? BSC_G_UPGRADE : BSC_G_EIGENZERT;
    } else if (stBSC_Tls.bBegonnen) {
        iGrund = BSC_G_TLS;
    }
    BSC_WEG(iGrund, iDetail, cWorte);
}

// Writes what is queued while the connection takes it; asks to be called again for the rest.
static int SCHREIBEN(lws *wsi) {
    while (iBSC_AusgangAnz > 0 && !lws_send_pipe_choked(wsi)) {
        BSC_AUSGANG_Struct &a = astBSC_Ausgang[iBSC_AusgangKopf];
        if (lws_write(wsi, a.ucDaten + LWS_PRE, static_cast<size_t>(a.iLen), LWS_WRITE_BINARY) < a.iLen)
            return -1;
        iBSC_AusgangKopf = (iBSC_AusgangKopf + 1) % BSC_AUSGANG_MAX;
        iBSC_AusgangAnz--;
    }
    if (iBSC_AusgangAnz > 0) lws_callback_on_writable(wsi);
    return 0;
}

int BSC_RUECKRUF(lws *wsi, lws_callback_reasons iGrund, void *pUser, void *pIn, size_t uLen) {
    // A connection that is no longer the current one (closed by the node, or one of an earlier attempt) only
    // gets its close out; what concerns an attempt (its TLS, its failure) always counts.
    if (wsi != nullptr && wsi != pBSC_Wsi && iGrund != LWS_CALLBACK_CLIENT_CONNECTION_ERROR &&
        iGrund != LWS_CALLBACK_OPENSSL_LOAD_EXTRA_CLIENT_VERIFY_CERTS &&
        iGrund != LWS_CALLBACK_OPENSSL_PERFORM_SERVER_CERT_VERIFICATION) {
        if (iGrund == LWS_CALLBACK_WSI_DESTROY && wsi == pBSC_Zu) pBSC_Zu = nullptr;
        if (iGrund != LWS_CALLBACK_CLIENT_WRITEABLE) return 0;
        lws_close_reason(wsi, LWS_CLOSE_STATUS_NORMAL, nullptr, 0);
        return -1;
    }
    switch (iGrund) {
    case LWS_CALLBACK_OPENSSL_LOAD_EXTRA_CLIENT_VERIFY_CERTS:
        BSC_TLS_EINRICHTEN(pUser);
        break;
    case LWS_CALLBACK_OPENSSL_PERFORM_SERVER_CERT_VERIFICATION:
        if (uLen == 0 && stBSC_Tls.iX509 == 0)
            stBSC_Tls.iX509 = X509_STORE_CTX_get_error(static_cast<X509_STORE_CTX *>(pUser));
        break;
    case LWS_CALLBACK_CLIENT_CONNECTION_ERROR:
        pBSC_Wsi = nullptr;
        if (stBSC.iZustand == BSC_AUFBAU)
            FEHLGESCHLAGEN(wsi, pIn != nullptr ? static_cast<const char *>(pIn) : "");
        break;
    case LWS_CALLBACK_CLIENT_ESTABLISHED: {
        // upgraded: the node announces itself with its VMAC, its UUID and what it takes
        // each message goes at once, not held back for the next
        if (const int iFd = lws_get_socket_fd(wsi); iFd >= 0) {
            const int iEin = 1;
            setsockopt(iFd, IPPROTO_TCP, TCP_NODELAY, &iEin, sizeof iEin);
        }
        unsigned char ucNutz[BSC_VMAC_LEN + BSC_UUID_LEN + 4];
        std::memcpy(ucNutz, stBSC.ucVmac, BSC_VMAC_LEN);
        std::memcpy(ucNutz + BSC_VMAC_LEN, stBSC.ucUuid, BSC_UUID_LEN);
        unsigned char *p = ucNutz + BSC_VMAC_LEN + BSC_UUID_LEN;
        p[0] = BSC_BVLC_MAX >> 8, p[1] = BSC_BVLC_MAX & 0xFF, p[2] = BSC_NPDU_MAX >> 8,
        p[3] = BSC_NPDU_MAX & 0xFF;
        unsigned char ucMsg[4 + sizeof ucNutz];
        const int n = BSC_KOPF_SCHREIBEN(ucMsg, BSC_CONNECT, BSC_ID(), nullptr);
        std::memcpy(ucMsg + n, ucNutz, sizeof ucNutz);
        iTeil = 0, bZuLang = false;
        stBSC.iZustand = BSC_ANMELDUNG;
        stBSC.ulSeitMs = UT_MSEK();
        BSC_SCHLANGE(ucMsg, n + static_cast<int>(sizeof ucNutz));
        break;
    }
    case LWS_CALLBACK_CLIENT_RECEIVE:
        // binary messages only: the link carries no text
        if (!lws_frame_is_binary(wsi)) break;
        if (uLen > static_cast<size_t>(BSC_BVLC_MAX - iTeil)) bZuLang = true;
        if (!bZuLang) std::memcpy(ucTeil + iTeil, pIn, uLen), iTeil += static_cast<int>(uLen);
        if (!lws_is_final_fragment(wsi)) break;
        if (bZuLang)
            UT_ERR_LOG("BSC_EMPFANGEN", BSC_BVLC_MAX, iTeil, "BVLC-SC zu lang");
        else
            BSC_NACHRICHT(ucTeil, iTeil);
        iTeil = 0, bZuLang = false;
        break;
    case LWS_CALLBACK_CLIENT_WRITEABLE:
        return SCHREIBEN(wsi);
    case LWS_CALLBACK_CLIENT_CLOSED:
    case LWS_CALLBACK_CLOSED_CLIENT_HTTP:
    case LWS_CALLBACK_WSI_DESTROY:
        if (wsi == nullptr) break;
        pBSC_Wsi = nullptr;
        if (stBSC.iZustand != BSC_AUS)
            stBSC.iZustand == BSC_AUFBAU ? FEHLGESCHLAGEN(wsi, "") : BSC_WEG(BSC_G_GETRENNT, 0, "");
        break;
    default:
        break;
    }
    return 0;
}
