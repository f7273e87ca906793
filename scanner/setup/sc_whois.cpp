// Broadcasts one Who-Is into the network of each local address (or of the address given on the command
// line), so that the devices there announce themselves with I-Am; registered with a BBMD, the scanner also
// has the BBMD distribute it to the networks of the whole site.
#include <cassert>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"
#include "scanner/loop/sc_ablauf.h"
#include "scanner/setup/sc_setup.h"

int SC_WHOIS() {
    // Original-Broadcast-NPDU to every network (DNET 65535, hop count 255), Who-Is; with -D the device range.
    unsigned char ucWhoIs[20] = {0x81, 0x0B, 0x00, 0x0C, 0x01, 0x20, 0xFF, 0xFF, 0x00, 0xFF, 0x10, 0x08};
    int iLen = 12;
    if (bSC_Bereich) {
        iLen += QX04_BN_KTAG(ucWhoIs + iLen, 0, ulQX04_DevMin);
        iLen += QX04_BN_KTAG(ucWhoIs + iLen, 1, ulQX04_DevMax);
        ucWhoIs[3] = static_cast<unsigned char>(iLen);
        // Two context tags of at most 4 bytes each fit: -D takes instances of at most 22 bits (3 bytes).
        assert(iLen <= static_cast<int>(sizeof ucWhoIs));
    }
    ulSC_WhoIsMs = UT_MSEK();
    return SC_RUNDRUF(ucWhoIs, iLen);
}
