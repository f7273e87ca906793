// The option of the EDE files: -X<prefix> names them <prefix>_EDE.csv and <prefix>_StateTexts.csv.
#include "scanner/ede/sc_ede.h"

SC_EDE_Struct stSC_Ede;

void SC_EDE_OPTION(const char *cArg) {
    if (cArg[2] == '\0') return;
    stSC_Ede.sPrefix = cArg + 2;
    stSC_Ede.bAn = true;
}

std::string SC_EDE_NAME(bool bZustaende) {
    return stSC_Ede.sPrefix + (bZustaende ? "_StateTexts.csv" : "_EDE.csv");
}
