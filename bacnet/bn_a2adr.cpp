// A link address from its text: a B/IP endpoint text, or the data link's own form.
#include "bacnet/bn.h"

int QX04_BN_A2ADR(const char *cText, IP_PORT *stAdr) {
    return pQX04_Link != nullptr ? pQX04_Link->pA2Adr(cText, stAdr) : IP_A2PORT(cText, stAdr);
}
