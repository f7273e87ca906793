// One argument of the scanner's command line: the endpoint text in first position, options in any position.
#include <cctype>
#include "bacnet/bn.h"
#include "ip/ip.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

// The number of -R or -P: decimal digits only, no leading zero, from iMin to iMax; -1 for any other text,
// which leaves the option ignored like an unknown one.
static int SC_INIT_ZAHL(const char *cText, int iMin, int iMax) {
    if (cText[0] < '0' || cText[0] > '9' || (cText[0] == '0' && cText[1] != '\0')) return -1;
    int iWert = 0;
    for (const char *p = cText; *p != '\0'; p++) {
        if (*p < '0' || *p > '9' || iWert > iMax) return -1;
        iWert = iWert * 10 + (*p - '0');
    }
    return iWert >= iMin && iWert <= iMax ? iWert : -1;
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
        if (int n = SC_INIT_ZAHL(cArg + 2, 1, 64); n >= 0) iSC_Parallel = n;
        break;
    case 'U':
        if (cArg[2] == '\0') iSC_Umsetzen = 1;
        break;
    case 'M':
        if (cArg[2] == '\0') iSC_Mehrfach = 1;
        break;
    default: // other letters, -Z included, are not the scanner's
        break;
    }
}
