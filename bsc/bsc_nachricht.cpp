// One message from the hub, as the connection's state takes it: the Accept or the refusal of the node's
// Connect-Request, the answers the hub asks for (heartbeat, advertisement, address resolution, disconnect),
// and NPDUs, which wait for the BACnet layer with their sender. A message the node cannot read is dropped and
// logged; a unicast NPDU with an option it must understand but does not is refused with a NAK.
#include <cstring>
#include "bsc/bsc_lws.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "BSC_NACHRICHT";

// BVLC-Result NAK for a message of function ucFunk: error class communication, code usCode, no details.
static void NAK(const BSC_KOPF *k, std::uint16_t usCode) {
    const unsigned char ucNutz[7] = {k->ucFunk,
                                     0x01,
                                     0x00,
                                     BSC_KLASSE_KOMM >> 8,
                                     BSC_KLASSE_KOMM & 0xFF,
                                     static_cast<unsigned char>(usCode >> 8),
                                     static_cast<unsigned char>(usCode)};
    BSC_ANTWORT(k, BSC_RESULT, ucNutz, sizeof ucNutz);
}

// The hub's verdict on the Connect-Request. A duplicate VMAC is replaced by a new one, tried at once.
static void ERGEBNIS(const BSC_KOPF *k, const unsigned char *ucNutz) {
    if (k->iNutzLen < 2) return;
    if (stBSC.iZustand == BSC_ABMELDUNG && ucNutz[0] == BSC_DISCONNECT) {
        BSC_WEG(BSC_G_KEIN, 0, "");
        return;
    }
    // A refusal of the Connect-Request may carry another message id than the request: the hub's choice.
    if (stBSC.iZustand != BSC_ANMELDUNG || ucNutz[0] != BSC_CONNECT || ucNutz[1] != 0x01) return;
    const int iCode = k->iNutzLen >= 7 ? ucNutz[5] << 8 | ucNutz[6] : 0;
    const int iHub = stBSC.iHub, iPause = stBSC.iPause;
    BSC_WEG(BSC_G_ABGELEHNT, iCode, "");
    if (iCode == BSC_CODE_VMAC_DOPPELT) {
        BSC_VMAC_NEU(stBSC.ucVmac);
        stBSC.iHub = iHub, stBSC.iPause = iPause;
        stBSC.ulNaechsterMs = UT_MSEK();
    }
}

// An NPDU for the BACnet layer: from its originating node, or from the hub itself when it names none.
static void NPDU(const BSC_KOPF *k, const unsigned char *ucNutz) {
    if (stBSC.iZustand != BSC_OFFEN) return;
    const bool bAlle = k->ucAn != nullptr && std::memcmp(k->ucAn, BSC_VMAC_ALLE, BSC_VMAC_LEN) == 0;
    if (k->bUnverstanden) {
        if (!bAlle) NAK(k, BSC_CODE_KOPF_UNVERSTANDEN);
        return;
    }
    if (k->iNutzLen < 2 || k->iNutzLen > BSC_NPDU_MAX || iBSC_EingangAnz == BSC_EINGANG_MAX) {
        UT_ERR_LOG(cRoutine, k->iNutzLen, iBSC_EingangAnz, "NPDU verworfen");
        return;
    }
    BSC_EINGANG_Struct &e = astBSC_Eingang[(iBSC_EingangKopf + iBSC_EingangAnz) % BSC_EINGANG_MAX];
    std::memcpy(e.ucVon, k->ucVon != nullptr ? k->ucVon : stBSC.ucHubVmac, BSC_VMAC_LEN);
    std::memcpy(e.ucNpdu, ucNutz, static_cast<std::size_t>(k->iNutzLen));
    e.iLen = k->iNutzLen;
    if (++iBSC_EingangAnz >= BSC_EINGANG_VOLL && !bBSC_Gebremst && pBSC_Wsi != nullptr)
        bBSC_Gebremst = true, lws_rx_flow_control(pBSC_Wsi, 0);
}

void BSC_NACHRICHT(const unsigned char *ucMsg, int iLen) {
    BSC_KOPF k;
    if (const int ier = BSC_KOPF_LESEN(ucMsg, iLen, &k); ier != 0) {
        UT_ERR_LOG(cRoutine, iLen, ier, "BVLC-SC Kopf");
        return;
    }
    stBSC.ulEmpfMs = UT_MSEK();
    stBSC.bHerz = false; // anything from the hub shows that it is there
    const unsigned char *ucNutz = ucMsg + k.iNutz;
    if (TEST_T_I || TEST_T_I1)
        UT_TRC("\n\n", cRoutine, "Funktion 0x%02X  Id %u  L\x84nge %d", k.ucFunk, k.usId, iLen);
    switch (k.ucFunk) {
    case BSC_ACCEPT:
        if (stBSC.iZustand != BSC_ANMELDUNG || k.iNutzLen < BSC_VMAC_LEN) break;
        // The hub's lengths are not needed: the node's messages stay below every minimum a hub must take.
        std::memcpy(stBSC.ucHubVmac, ucNutz, BSC_VMAC_LEN);
        stBSC.iZustand = BSC_OFFEN;
        stBSC.ulSeitMs = stBSC.ulEmpfMs;
        stBSC.iPause = 0;
        stBSC.ulVerbunden++;
        stBSC.ulVerlorenMs = 0;
        if (UT_TRC_IN())
            UT_TRC("\n\n", cRoutine, "Verbunden mit Hub %d (%s)", stBSC.iHub, stBSC.astHub[stBSC.iHub].cUri);
        break;
    case BSC_RESULT:
        ERGEBNIS(&k, ucNutz);
        break;
    case BSC_NPDU:
        NPDU(&k, ucNutz);
        break;
    case BSC_HERZ:
        BSC_ANTWORT(&k, BSC_HERZ_ACK, nullptr, 0);
        break;
    case BSC_WERBUNG_BITTE: {
        // connected to the primary (1) or the failover hub (2), no direct connections, the lengths taken
        const unsigned char ucNutzW[6] = {static_cast<unsigned char>(stBSC.iHub + 1),
                                          0,
                                          BSC_BVLC_MAX >> 8,
                                          BSC_BVLC_MAX & 0xFF,
                                          BSC_NPDU_MAX >> 8,
                                          BSC_NPDU_MAX & 0xFF};
        BSC_ANTWORT(&k, BSC_WERBUNG, ucNutzW, sizeof ucNutzW);
        break;
    }
    case BSC_ADRAUFL:
        BSC_ANTWORT(&k, BSC_ADRAUFL_ACK, nullptr,
                    0); // no WebSocket URIs: the node takes no direct connection
        break;
    case BSC_DISCONNECT:
        BSC_ANTWORT(&k, BSC_DISCONNECT_ACK, nullptr, 0);
        if (stBSC.iZustand == BSC_OFFEN)
            stBSC.iZustand = BSC_ABMELDUNG; // the hub closes; the loss is counted
        break;
    case BSC_DISCONNECT_ACK:
        if (stBSC.iZustand == BSC_ABMELDUNG) BSC_WEG(BSC_G_KEIN, 0, "");
        break;
    case BSC_HERZ_ACK:
    case BSC_WERBUNG:
    case BSC_ADRAUFL_ACK:
        break;
    default:
        // Proprietary-Message and functions after it: the node knows none
        if (k.ucFunk >= BSC_FUNK_MAX) NAK(&k, BSC_CODE_FUNK_UNBEKANNT);
        break;
    }
}
