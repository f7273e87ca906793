// Set-up of the scan through a hub, in place of the B/IP endpoint: the options checked, the TLS context made
// from the three files, the primary hub tried and then the failover hub. A start that fails says in one
// console line which hub refused what (unreachable, TLS refused and whose certificate, upgrade refused,
// Connect-Request refused); nothing has been sent to a device then and no output file is open.
#include <cstdio>
#include "bsc/bsc.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"
#include "scanner/securelink/sc_sicher.h"

int SC_SICHER_OEFFNEN() {
    if (!bSC_Sicher) return 0;
    const char *cFehlt = stBSC.cAussteller[0] == '\0'   ? "-I<Ausstellerzertifikat>"
                         : stBSC.cZert[0] == '\0'       ? "-C<eigenes Zertifikat>"
                         : stBSC.cSchluessel[0] == '\0' ? "-K<eigener Schl\x81ssel>"
                                                        : nullptr;
    if (cFehlt != nullptr || stSC_Bbmd.ulAdr != 0xFFFFFFFF) {
        if (cFehlt != nullptr)
            std::printf("\n\n***  BACnet/SC: zu -S fehlt %s  ***", cFehlt);
        else
            std::printf("\n\n***  BACnet/SC: -S und -F schlie\xE1"
                        "en einander aus  ***");
        return -17;
    }
    if (BSC_START() != 0) {
        std::printf("\n\n***  BACnet/SC: %s  ***",
                    BSC_GRUND_TEXT(stBSC.iGrund, stBSC.iDetail, stBSC.cDetail));
        return -18;
    }
    char cZeile[4 * BSC_TEXT_MAX] = "";
    int iLen = 0;
    for (int h = 0; h < stBSC.iHubs; h++) {
        if (BSC_OEFFNEN(h) == 0) {
            stBSC.bDauer = true;
            IP_HOST_MERKEN(); // the own-echo check of the message check then asks no resolver
            if (UT_TRC_IN()) UT_TRC("\n\n", "SC_SICHER_OEFFNEN", "Hub %d verbunden", h);
            return 1;
        }
        iLen += std::snprintf(cZeile + iLen, sizeof cZeile - static_cast<std::size_t>(iLen), "%s%s %s: %s",
                              h > 0 ? "; " : "", h > 0 ? "Ausweich-Hub" : "Hub", stBSC.astHub[h].cUri,
                              BSC_GRUND_TEXT(stBSC.iGrund, stBSC.iDetail, stBSC.cDetail));
        if (iLen >= static_cast<int>(sizeof cZeile)) iLen = static_cast<int>(sizeof cZeile) - 1;
    }
    std::printf("\n\n***  BACnet/SC: %s  ***", cZeile);
    BSC_TRENNEN();
    return -19;
}
