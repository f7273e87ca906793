// Makes the TLS and WebSocket context of the node: its certificate and key, and the issuer certificate every
// hub's certificate is checked against. The library's own log stays off: failures reach the console through
// the node's reasons. The VMAC and the UUID are drawn here, the UUID once for the run.
#include <cstdio>
#include "bsc/bsc_lws.h"

static const char cRoutine[] = "BSC_START";

// The WebSocket sub-protocol of a connection to a hub.
// Reads take a whole TLS record (16 KiB at most) at once.
static lws_protocols astProtokolle[] = {{"hub.bsc.bacnet.org", BSC_RUECKRUF, 0, 16384 + 512, 0, nullptr, 0},
                                        {nullptr, nullptr, 0, 0, 0, nullptr, 0}};

// The file can be read: named in the console when it cannot.
static bool LESBAR(const char *cDatei) {
    FILE *fp = std::fopen(cDatei, "r");
    if (fp == nullptr) {
        stBSC.iGrund = BSC_G_DATEI, stBSC.iDetail = 0;
        std::snprintf(stBSC.cDetail, sizeof stBSC.cDetail, "%s", cDatei);
        return false;
    }
    std::fclose(fp);
    return true;
}

int BSC_START() {
    (void)cRoutine;
    if (!LESBAR(stBSC.cAussteller) || !LESBAR(stBSC.cZert) || !LESBAR(stBSC.cSchluessel)) return -1;
    lws_set_log_level(0, nullptr);
    lws_context_creation_info stInfo{};
    stInfo.port = CONTEXT_PORT_NO_LISTEN;
    stInfo.protocols = astProtokolle;
    stInfo.options = LWS_SERVER_OPTION_DO_SSL_GLOBAL_INIT;
    stInfo.client_ssl_ca_filepath = stBSC.cAussteller;
    stInfo.client_ssl_cert_filepath = stBSC.cZert;
    stInfo.client_ssl_private_key_filepath = stBSC.cSchluessel;
    pBSC_Kontext = lws_create_context(&stInfo);
    if (pBSC_Kontext == nullptr) {
        // files that are there but that TLS will not take: no certificate, or a key that does not belong to
        // it
        stBSC.iGrund = BSC_G_DATEI, stBSC.iDetail = 1;
        std::snprintf(stBSC.cDetail, sizeof stBSC.cDetail, "%.80s, %.80s, %.80s", stBSC.cAussteller,
                      stBSC.cZert, stBSC.cSchluessel);
        return -1;
    }
    BSC_VMAC_NEU(stBSC.ucVmac);
    BSC_ZUFALL(stBSC.ucUuid, BSC_UUID_LEN);
    stBSC.ucUuid[6] = static_cast<unsigned char>((stBSC.ucUuid[6] & 0x0F) | 0x40); // version 4: random
    stBSC.ucUuid[8] = static_cast<unsigned char>((stBSC.ucUuid[8] & 0x3F) | 0x80); // RFC 4122 variant
    return 0;
}
