// A path as the trace shows it: the router's address and the network, or the device's address alone.
#include <cstdio>
#include "scanner/pace/sc_pace_intern.h"

const char *SC_PFAD_TEXT(int iPfad) {
    static char cText[64];
    const SC_PFAD_Struct &p = vSC_Pfad[iPfad];
    const char *c = IP_PORT2A(&p.stRouter);
    if (p.usNetz == 0)
        std::snprintf(cText, sizeof cText, "%s", c != nullptr ? c : "?");
    else
        std::snprintf(cText, sizeof cText, "%s/%u", c != nullptr ? c : "?", p.usNetz);
    return cText;
}
