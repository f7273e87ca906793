// Tells whether an address is one of the local host's, so the scanner can recognise its own broadcasts.
#include "ip/ip.h"
#include "runtime/ut/ut.h"

int IP_CHK_HOST(std::uint32_t ulAdr) {
    if (UT_TRC_IN()) UT_TRC("\n\n", "IP_CHK_HOST", "Nach Aufruf   IP-Adr.: 0x%08lX", (unsigned long)ulAdr);
    int ier = 0;
    std::uint32_t ulLokal = IP_HOST_ADR(0);
    for (int i = 1; ulLokal != 0xFFFFFFFF; i++) {
        if (ulAdr == ulLokal) {
            ier = i;
            break;
        }
        ulLokal = IP_HOST_ADR(i);
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", "IP_CHK_HOST", "Vor  RETURN   ier : %d", ier);
    return ier;
}
