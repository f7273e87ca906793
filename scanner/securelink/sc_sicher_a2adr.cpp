// A VMAC from its text, six pairs of hexadecimal digits separated by colons (route file, column 27 on): the
// link address, or -1 for any other text, such as a B/IP endpoint a route file of the same site may hold.
#include <cctype>
#include <cstring>
#include "bsc/bsc.h"
#include "scanner/securelink/sc_sicher.h"

static int ZIFFER(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
           : std::isxdigit(static_cast<unsigned char>(c))
               ? (std::toupper(static_cast<unsigned char>(c)) - 'A' + 10)
               : -1;
}

int SC_SICHER_A2ADR(const char *cText, IP_PORT *stAdr) {
    if (std::strlen(cText) != 3 * BSC_VMAC_LEN - 1) return -1;
    unsigned char uc[BSC_VMAC_LEN];
    for (int i = 0; i < BSC_VMAC_LEN; i++) {
        const int h = ZIFFER(cText[3 * i]), l = ZIFFER(cText[3 * i + 1]);
        if (h < 0 || l < 0 || (i < BSC_VMAC_LEN - 1 && cText[3 * i + 2] != ':')) return -1;
        uc[i] = static_cast<unsigned char>(h << 4 | l);
    }
    *stAdr = SC_SICHER_ADR(uc);
    return 0;
}
