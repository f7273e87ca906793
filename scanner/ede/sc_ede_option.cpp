// The option of the EDE files: -X<prefix> names them <prefix>_EDE.csv and <prefix>_StateTexts.csv.
#include <cctype>
#include "scanner/ede/sc_ede_intern.h"

SC_EDE_Struct stSC_Ede;

bool SC_EDE_OPTION(const char *cArg) {
    // Taken as the other options are: after '-' or '/', in either case.
    if ((cArg[0] != '-' && cArg[0] != '/') || std::toupper(static_cast<unsigned char>(cArg[1])) != 'X')
        return false;
    if (cArg[2] == '\0') return true;
    stSC_Ede.sPrefix = cArg + 2;
    stSC_Ede.bAn = true;
    return true;
}

std::string SC_EDE_NAME(bool bZustaende) {
    return stSC_Ede.sPrefix + (bZustaende ? "_StateTexts.csv" : "_EDE.csv");
}
