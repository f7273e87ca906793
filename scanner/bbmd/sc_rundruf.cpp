// A broadcast of the scanner's own into the network of each local address (or of the address given on the
// command line); registered with a BBMD, the scanner also has the BBMD distribute it to the whole site.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"

static const char cRoutine[] = "SC_INIT"; // the set-up's Who-Is goes this way, and its trace stays

int SC_RUNDRUF(const unsigned char *ucFrame, int iLen) {
    int ier = 0;
    if (TEST_T_X)
        UT_TRC("\n", cRoutine, "Vor IP_GET_HOST   i : %d   IP_Adr.: 0x%08lX", 0,
               (unsigned long)ulQX04_IP_Adr);
    std::uint32_t ulAdr = ulQX04_IP_Adr != 0xFFFFFFFF ? ulQX04_IP_Adr : IP_GET_HOST(0);
    for (int i = 0; ulAdr != 0xFFFFFFFF;) {
        if (TEST_T_X)
            UT_TRC("\n", cRoutine, "LOOP nach IP_GET_HOST   i : %d   IP_Adr.: 0x%08lX", i,
                   (unsigned long)ulAdr);
        IP_PORT stZiel = {IP_GET_NET(ulAdr), static_cast<std::uint16_t>(iQX04_IP_Port)};
        std::memcpy(QX04_SEND_Buf, ucFrame, static_cast<std::size_t>(iLen));
        ier = QX04_BN_SENDEN(&stZiel, iLen, QX04_SEND_Buf);
        // through a hub one broadcast reaches every node
        if (ulQX04_IP_Adr != 0xFFFFFFFF || pQX04_Link != nullptr) break;
        ulAdr = IP_GET_HOST(++i);
    }
    if (stSC_BbmdStand.bAngemeldet) {
        // the same NPDU as Distribute-Broadcast-To-Network; its refusal would come as a BVLC-Result
        unsigned char ucVerteilt[QX04_BUF_SIZE];
        const int n = QX04_BN_BVLL(ucVerteilt, QX04_BVLC_DISTRIBUTE_BROADCAST, ucFrame + 4, iLen - 4);
        IP_SEND(iQX04_IP_APP, &stSC_Bbmd, IP_CMD_DATA, IP_SCMD_SEND, n, ucVerteilt);
    }
    return ier;
}
