// A link address as text: the B/IP endpoint text, or the data link's own form.
#include "bacnet/bn.h"

const char *QX04_BN_ADR2A(const IP_PORT *stAdr) {
    return pQX04_Link != nullptr ? pQX04_Link->pAdr2A(stAdr) : IP_PORT2A(stAdr);
}
