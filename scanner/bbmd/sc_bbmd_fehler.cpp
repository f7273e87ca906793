// Console report of a message the BBMD refused or left unanswered, naming the BBMD and the result code.
#include <cstdio>
#include "scanner/bbmd/sc_bbmd.h"

void SC_BBMD_FEHLER(const char *cWas, int iErg) {
    if (iErg >= 0)
        std::printf("\n\n***  %s beim BBMD %s abgelehnt (BVLC-Result 0x%04X)  ***", cWas,
                    IP_PORT2A(&stSC_Bbmd), static_cast<unsigned>(iErg));
    else
        std::printf("\n\n***  %s beim BBMD %s : keine Antwort  ***", cWas, IP_PORT2A(&stSC_Bbmd));
    std::fflush(stdout);
}
