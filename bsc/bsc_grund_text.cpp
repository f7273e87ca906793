// Why an attempt failed, in the console's words: which step was refused and, for TLS, which certificate and
// why, so that an engineer knows whether to look at the hub, the issuer file or the scanner's own files.
#include <cstdio>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include "bsc/bsc.h"

static char cText[2 * BSC_TEXT_MAX + 96];

// The check of the hub's certificate against the issuer.
static const char *HUBZERT(int iX509) {
    switch (iX509) {
    case X509_V_ERR_CERT_HAS_EXPIRED:
        return "abgelaufen";
    case X509_V_ERR_CERT_NOT_YET_VALID:
        return "noch nicht g\x81ltig";
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        return "nicht vom angegebenen Aussteller";
    default:
        return X509_verify_cert_error_string(iX509);
    }
}

const char *BSC_GRUND_TEXT(int iGrund, int iDetail, const char *cDetail) {
    const char *c = cDetail != nullptr ? cDetail : "";
    switch (iGrund) {
    case BSC_G_NETZ:
        std::snprintf(cText, sizeof cText, "Hub nicht erreichbar (%s)", c);
        break;
    case BSC_G_HUBZERT:
        std::snprintf(cText, sizeof cText, "TLS abgelehnt: Zertifikat des Hubs %s (X509 %d)",
                      HUBZERT(iDetail), iDetail);
        break;
    case BSC_G_EIGENZERT:
        std::snprintf(cText, sizeof cText, "TLS abgelehnt: der Hub nimmt das eigene Zertifikat nicht an (%s)",
                      iDetail > 0 ? SSL_alert_desc_string_long(iDetail)
                                  : "Verbindung nach dem Handshake geschlossen");
        break;
    case BSC_G_TLS:
        std::snprintf(cText, sizeof cText, "TLS abgelehnt (%s)",
                      iDetail > 0 ? SSL_alert_desc_string_long(iDetail) : c);
        break;
    case BSC_G_UPGRADE:
        std::snprintf(cText, sizeof cText, "WebSocket-Upgrade abgelehnt (HTTP %d, %s)", iDetail, c);
        break;
    case BSC_G_ABGELEHNT:
        if (iDetail == BSC_CODE_VMAC_DOPPELT)
            std::snprintf(cText, sizeof cText, "Connect-Request abgelehnt: VMAC schon vergeben");
        else
            std::snprintf(cText, sizeof cText, "Connect-Request abgelehnt (Fehlercode %d)", iDetail);
        break;
    case BSC_G_STUMM:
        std::snprintf(cText, sizeof cText, "keine Antwort vom Hub (%s)", c);
        break;
    case BSC_G_DATEI:
        std::snprintf(
            cText, sizeof cText,
            iDetail == 0 ? "Datei %s nicht lesbar" : "Zertifikat oder Schl\x81ssel nicht verwendbar (%s)", c);
        break;
    case BSC_G_GETRENNT:
        std::snprintf(cText, sizeof cText, "Verbindung vom Hub getrennt");
        break;
    default:
        std::snprintf(cText, sizeof cText, "kein Fehler");
        break;
    }
    return cText;
}
