// The options of the scan through a hub: -S<wss URI> (a second one names the failover hub), -I<issuer
// certificate>, -C<own certificate>, -K<own private key>, PEM files each. A malformed -S ends the set-up
// before anything is sent, said at once as a malformed -F or -D is.
#include <cstdio>
#include <cstring>
#include "bsc/bsc.h"
#include "scanner/sc.h"
#include "scanner/securelink/sc_sicher.h"

void SC_SICHER_OPTION(const char *cArg) {
    const char cOpt = static_cast<char>(cArg[1] & ~0x20); // upper case
    if (cOpt == 'S') {
        if (stBSC.iHubs < BSC_HUB_MAX && BSC_URI(cArg + 2, &stBSC.astHub[stBSC.iHubs])) {
            stBSC.iHubs++;
            bSC_Sicher = true;
            pQX04_Link = &stSC_SicherLink;
            return;
        }
        std::printf("\n\n***  Unzul\x84ssige Hub-Angabe %s  ***", cArg);
        std::printf("\n\n     Zul\x84ssig ist : -Swss://Host[:Port][/Pfad]  (h\x94"
                    "chstens zweimal)");
        if (iSC_OptFehler == 0) iSC_OptFehler = -17;
        return;
    }
    char *cZiel = cOpt == 'I' ? stBSC.cAussteller : cOpt == 'C' ? stBSC.cZert : stBSC.cSchluessel;
    std::snprintf(cZiel, BSC_TEXT_MAX, "%s", cArg + 2);
}
