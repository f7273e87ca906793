// The options of the scan report: -J<file> writes it, -V shows the progress with an estimate.
#include "scanner/report/sc_bericht_intern.h"

SC_BERICHT_Struct stSC_Bericht;

bool SC_BERICHT_OPTION(const char *cArg) {
    if (cArg[0] != '-' || (cArg[1] != 'J' && cArg[1] != 'V')) return false;
    if (cArg[1] == 'J' && cArg[2] != '\0') stSC_Bericht.sDatei = cArg + 2;
    if (cArg[1] == 'V' && cArg[2] == '\0') stSC_Bericht.bFortschritt = true;
    stSC_Bericht.bAn = !stSC_Bericht.sDatei.empty() || stSC_Bericht.bFortschritt;
    return true;
}
