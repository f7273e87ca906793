// Resource phase of the set-up: system services, IP transport, device table with the route file, the UDP
// endpoint, the registration with a BBMD (-F), the Who-Is broadcasts and the two output files with the header
// line.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"
#include "scanner/loop/sc_ablauf.h"
#include "scanner/reffile/sc_ref.h"
#include "scanner/securelink/sc_sicher.h"
#include "scanner/setup/sc_setup.h"

int SC_INIT_RES(int ier, int argc, char **argv) {
    if (ier == 0) ier = SY_INIT();
    if (ier == 0) ier = IP_INIT();

    // The device table lives until the process ends; every entry starts free.
    BN_ROUTE_QX04_Struct =
        static_cast<QX04_BN_ROUTE *>(SY_CALLOC(static_cast<int>(uQX04_Anz_Dev), sizeof(QX04_BN_ROUTE)));
    if (BN_ROUTE_QX04_Struct == nullptr) {
        ier = -4;
    } else {
        for (std::uint32_t i = 0; i < uQX04_Anz_Dev; i++) {
            BN_ROUTE_QX04_Struct[i].ulSDEV = 0xFFFFFFFF;
            BN_ROUTE_QX04_Struct[i].usSNET = 0xFFFF;
            BN_ROUTE_QX04_Struct[i].iStatus = 0;
        }
        QX04_BN_RT_INIT();
    }

    if (ier != 0) {
        int iPos = ier < 0 ? -ier : ier;
        if (iPos <= 1)
            std::printf("\n\n***  Fehlende Aufrufparameter  ***");
        else
            std::printf("\n\n***  Unzul\x84ssiger Aufrufparameter %d (%s)  ***", iPos,
                        iPos < argc && argv != nullptr && argv[iPos] != nullptr ? argv[iPos] : "");
        std::printf("\n\n     Zul\x84ssige Aufrufparameter sind :");
        std::printf("\n     - [IP-Adresse#]Portnummer");
        return ier;
    }

    if (iSC_OptFehler != 0) return iSC_OptFehler; // a malformed -F or -D, reported when it was read

    // -J, -X, -G: their files are tried before anything is sent
    if (const int i = SC_BEOBACHTER_ANMELDEN(argc, argv); i != 0) return i;
    const int iSicher = SC_SICHER_OEFFNEN(); // -S: the connection to a hub in place of the UDP endpoint
    if (iSicher < 0) return iSicher;
    if (iSicher == 0) {
        int iApp = IP_OPEN(1, iQX04_IP_Port, nullptr);
        if (iApp < 0) {
            std::printf("\n\n***  OPEN-Fehler auf IP-Port %d ***", iQX04_IP_Port);
            return -10;
        }
        iQX04_IP_APP = iApp;
        IP_HOST_MERKEN();
        IP_RCVBUF(iApp, SC_RCVBUF);
    }

    ier = SC_BBMD_ANMELDEN();
    if (ier != 0) return ier;
    if (SC_WHOIS_ERSETZT()) { // -N: the discovery sends its own, network by network
        SC_EREIGNIS_Struct e{};
        e.iArt = SC_EV_WHOIS;
        ier = SC_MELDEN(&e);
        ulSC_WhoIsMs = UT_MSEK(); // the I-Ams of its last Who-Is may still be on their way
    } else {
        ier = SC_WHOIS();
    }
    if (ier != 0) return ier;

    fpSC_DEV = std::fopen("netscn.dev", "w+t");
    if (fpSC_DEV == nullptr) {
        std::printf("\n\n***  OPEN-Fehler auf DEVICE-Datei NETSCN.DEV ***");
        return -11;
    }
    fpSC_REF = std::fopen("netscn.ref", "w+t");
    if (fpSC_REF == nullptr) {
        std::printf("\n\n***  OPEN-Fehler auf ZDB-Referenz-Datei NETSCN.REF ***");
        return -12;
    }
    if (SC_REF_HEAD() != 0) {
        std::printf("\n\n***  WRITE-Fehler auf ZDB-Referenz-Datei NETSCN.REF ***");
        return -21;
    }
    return 0;
}
