// One argument of the scanner's command line: the endpoint text in first position, options in any position.
#include <arpa/inet.h>
#include <cctype>
#include <cstring>
#include "bacnet/bn.h"
#include "ip/ip.h"
#include "runtime/ut/ut.h"
#include "scanner/securelink/sc_sicher.h"
#include "scanner/setup/sc_setup.h"

// The number of -R, -P, -D or a part of -F: decimal digits only, no leading zero, from iMin to iMax; -1 for
// any other text, which leaves -R and -P ignored like an unknown option and makes -F and -D malformed.
static int SC_INIT_ZAHL(const char *cText, int iMin, int iMax) {
    if (cText[0] < '0' || cText[0] > '9' || (cText[0] == '0' && cText[1] != '\0')) return -1;
    int iWert = 0;
    for (const char *p = cText; *p != '\0'; p++) {
        if (*p < '0' || *p > '9' || iWert > iMax) return -1;
        iWert = iWert * 10 + (*p - '0');
    }
    return iWert >= iMin && iWert <= iMax ? iWert : -1;
}

// cText split at every cTrenn into at most iMax parts of at most 31 characters: their number, -1 when there
// are more or one is longer.
static int SC_INIT_TEILE(const char *cText, char cTrenn, char (*cTeil)[32], int iMax) {
    for (int n = 0;; cText++) {
        const char *cEnde = std::strchr(cText, cTrenn);
        const std::size_t l = cEnde != nullptr ? static_cast<std::size_t>(cEnde - cText) : std::strlen(cText);
        if (n == iMax || l >= sizeof cTeil[0]) return -1;
        std::memcpy(cTeil[n], cText, l);
        cTeil[n++][l] = '\0';
        if (cEnde == nullptr) return n;
        cText = cEnde;
    }
}

// -F<IP-Adresse>[#Portnummer[#Sekunden]]: the BBMD (port 47808) and the time-to-live of the registration
// (60 s, at least 10, so that renewing at half of it stays far above the loop clock's 2-second steps).
static bool SC_INIT_BBMD(const char *cText) {
    char cTeil[3][32];
    const int n = SC_INIT_TEILE(cText, '#', cTeil, 3);
    struct in_addr ia;
    if (n < 1 || inet_pton(AF_INET, cTeil[0], &ia) != 1) return false;
    const std::uint32_t ulAdr = IP_NL2L(ia.s_addr);
    const int iPort = n >= 2 ? SC_INIT_ZAHL(cTeil[1], 1, 65535) : 47808;
    const int iTtl = n >= 3 ? SC_INIT_ZAHL(cTeil[2], 10, 65535) : 60;
    if (ulAdr == 0 || ulAdr >= 0xE0000000 || iPort < 0 || iTtl < 0) return false; // no single node
    stSC_Bbmd = {ulAdr, static_cast<std::uint16_t>(iPort)};
    iSC_BbmdTtl = iTtl;
    return true;
}

// -D<von>[-<bis>]: device instances von to bis (0 to 4194302), or the one instance von.
static bool SC_INIT_BEREICH(const char *cText) {
    char cTeil[2][32];
    const int n = SC_INIT_TEILE(cText, '-', cTeil, 2);
    const int iVon = n >= 1 ? SC_INIT_ZAHL(cTeil[0], 0, static_cast<int>(SC_DEV_MAX)) : -1;
    const int iBis = n == 2 ? SC_INIT_ZAHL(cTeil[1], 0, static_cast<int>(SC_DEV_MAX)) : iVon;
    if (iVon < 0 || iBis < iVon) return false;
    ulQX04_DevMin = static_cast<std::uint32_t>(iVon);
    ulQX04_DevMax = static_cast<std::uint32_t>(iBis);
    bSC_Bereich = true;
    return true;
}

// A malformed -F or -D ends the set-up before anything is sent (error number iFehler); said at once.
static void SC_INIT_FALSCH(int iFehler, const char *cWas, const char *cArg, const char *cForm) {
    std::printf("\n\n***  %s %s  ***", cWas, cArg);
    std::printf("\n\n     Zul\x84ssig ist : %s", cForm);
    if (iSC_OptFehler == 0) iSC_OptFehler = iFehler;
}

// The endpoint text counts only in first position (a wrong one is ignored); options count anywhere.
void SC_INIT_ARG(int i, const char *cArg) {
    if (cArg[0] != '-' && cArg[0] != '/') {
        IP_PORT Port;
        if (i == 1 && IP_A2PORT(cArg, &Port) == 0) {
            iQX04_IP_Port = Port.usPort;
            ulQX04_IP_Adr = Port.ulAdr == 0 ? 0xFFFFFFFF : Port.ulAdr;
        }
        return;
    }
    switch (std::toupper(static_cast<unsigned char>(cArg[1]))) {
    case 'A':
        std::snprintf(cSC_AnfuegeDpId, sizeof cSC_AnfuegeDpId, "%s", cArg + 2);
        break;
    case 'B':
        std::snprintf(cSC_BeginnDpId, sizeof cSC_BeginnDpId, "%s", cArg + 2);
        break;
    case 'E':
        std::snprintf(cSC_EndePrefix, sizeof cSC_EndePrefix, "%s", cArg + 2);
        break;
    case 'T':
        UT_T_OPTION(cArg);
        break;
    case 'R':
        if (int n = SC_INIT_ZAHL(cArg + 2, 0, 9); n >= 0) iSC_Wiederhol = n;
        break;
    case 'P':
        if (int n = SC_INIT_ZAHL(cArg + 2, 1, SC_PARALLEL_MAX); n >= 0) iSC_Parallel = n;
        break;
    case 'U':
        if (cArg[2] == '\0') iSC_Umsetzen = 1;
        break;
    case 'M':
        if (cArg[2] == '\0') iSC_Mehrfach = 1;
        break;
    case 'F':
        if (!SC_INIT_BBMD(cArg + 2))
            SC_INIT_FALSCH(-15, "Unzul\x84ssige BBMD-Angabe", cArg, "-F<IP-Adresse>[#Portnummer[#Sekunden]]");
        break;
    case 'D':
        if (!SC_INIT_BEREICH(cArg + 2))
            SC_INIT_FALSCH(-16, "Unzul\x84ssiger Device-Bereich", cArg,
                           "-D<von>[-<bis>]  (0 bis 4194302, von <= bis)");
        break;
    case 'S': // the scan through a BACnet/SC hub, its certificate files
    case 'I':
    case 'C':
    case 'K':
        SC_SICHER_OPTION(cArg);
        break;
    default: // an observer's (-J, -V, -X); other letters, -Z included, are not the scanner's
        SC_BEOBACHTER_OPTION(cArg);
        break;
    }
}
