// Broadcasts one Who-Is into the network of each local address (or of the address given on the command
// line), so that the devices there announce themselves with I-Am; registered with a BBMD, the scanner also
// has the BBMD distribute it to the networks of the whole site.
#include <cassert>
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"
#include "scanner/loop/sc_ablauf.h"
#include "scanner/setup/sc_setup.h"

static const char cRoutine[] = "SC_INIT";

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
    int ier = 0;
    ulSC_WhoIsMs = UT_MSEK();
    if (TEST_T_X)
        UT_TRC("\n", cRoutine, "Vor IP_GET_HOST   i : %d   IP_Adr.: 0x%08lX", 0,
               (unsigned long)ulQX04_IP_Adr);
    std::uint32_t ulAdr = ulQX04_IP_Adr != 0xFFFFFFFF ? ulQX04_IP_Adr : IP_GET_HOST(0);
    for (int i = 0; ulAdr != 0xFFFFFFFF;) {
        if (TEST_T_X)
            UT_TRC("\n", cRoutine, "LOOP nach IP_GET_HOST   i : %d   IP_Adr.: 0x%08lX", i,
                   (unsigned long)ulAdr);
        IP_PORT stZiel = {IP_GET_NET(ulAdr), static_cast<std::uint16_t>(iQX04_IP_Port)};
        std::memcpy(QX04_SEND_Buf, ucWhoIs, static_cast<std::size_t>(iLen));
        ier = QX04_BN_SENDEN(&stZiel, iLen, QX04_SEND_Buf);
        // through a hub one Who-Is reaches every node
        if (ulQX04_IP_Adr != 0xFFFFFFFF || pQX04_Link != nullptr) break;
        ulAdr = IP_GET_HOST(++i);
    }
    if (stSC_BbmdStand.bAngemeldet) {
        // the same NPDU as Distribute-Broadcast-To-Network; its refusal would come as a BVLC-Result
        unsigned char ucVerteilt[sizeof ucWhoIs];
        const int n = QX04_BN_BVLL(ucVerteilt, QX04_BVLC_DISTRIBUTE_BROADCAST, ucWhoIs + 4, iLen - 4);
        IP_SEND(iQX04_IP_APP, &stSC_Bbmd, IP_CMD_DATA, IP_SCMD_SEND, n, ucVerteilt);
    }
    return ier;
}
