// Starts an attempt to reach hub iHub: TCP, TLS with the node's certificate, and the upgrade to a WebSocket
// of the hub sub-protocol. The hub's certificate is checked against the issuer alone: a hub's address is not
// part of what its certificate vouches for.
#include "bsc/bsc_lws.h"
#include "runtime/ut/ut.h"

void BSC_VERBINDEN(int iHub) {
    if (pBSC_Kontext == nullptr || iHub < 0 || iHub >= stBSC.iHubs) return;
    const BSC_HUB &h = stBSC.astHub[iHub];
    stBSC.iHub = iHub;
    stBSC.iZustand = BSC_AUFBAU;
    stBSC.ulSeitMs = UT_MSEK();
    stBSC.bHerz = false;
    stBSC_Tls = BSC_TLS_Struct{};
    iBSC_AusgangAnz = 0;
    if (UT_TRC_IN()) UT_TRC("\n\n", "BSC_VERBINDEN", "Hub %d : >%s<", iHub, h.cUri);
    lws_client_connect_info ci{};
    ci.context = pBSC_Kontext;
    ci.address = h.cHost;
    ci.port = h.iPort;
    ci.path = h.cPfad;
    ci.host = h.cHost;
    ci.origin = h.cHost;
    ci.protocol = "hub.bsc.bacnet.org";
    ci.ssl_connection = LCCSCF_USE_SSL | LCCSCF_SKIP_SERVER_CERT_HOSTNAME_CHECK;
    pBSC_Wsi = lws_client_connect_via_info(&ci);
    // a failure found at once has been reported through the callback already, or is reported here
    if (pBSC_Wsi == nullptr && stBSC.iZustand == BSC_AUFBAU) BSC_WEG(BSC_G_NETZ, 0, h.cHost);
}
