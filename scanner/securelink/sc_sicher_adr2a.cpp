// A VMAC as text, "12:34:56:78:9A:BC": in the console, the report and the route file.
#include <cstdio>
#include "bsc/bsc.h"
#include "scanner/securelink/sc_sicher.h"

const char *SC_SICHER_ADR2A(const IP_PORT *stAdr) {
    static char cText[3 * BSC_VMAC_LEN];
    if (stAdr == nullptr) return nullptr;
    unsigned char uc[BSC_VMAC_LEN];
    SC_SICHER_VMAC(stAdr, uc);
    std::snprintf(cText, sizeof cText, "%02X:%02X:%02X:%02X:%02X:%02X", uc[0], uc[1], uc[2], uc[3], uc[4],
                  uc[5]);
    return cText;
}
