// A frame of the discovery: to one router or BBMD, or as a broadcast into the scanner's own network the way
// the set-up sends its Who-Is (each local network, and through the BBMD of -F to the whole site).
#include "scanner/netmap/sc_karte_daten.h"
#include "scanner/bbmd/sc_bbmd.h"

void SC_KARTE_SENDEN(const IP_PORT *stZiel, const unsigned char *ucBuf, int iLen) {
    if (iLen <= 0) return;
    if (stZiel == nullptr)
        SC_RUNDRUF(ucBuf, iLen);
    else
        QX04_BN_SENDEN(stZiel, iLen, ucBuf);
}
