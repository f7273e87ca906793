// Trace of a received datagram: the object and step it was taken for, its bytes and their breakdown.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch.h"

static const char cRoutine[] = "SC_LOOP"; // the trace names the scan loop, whose step this is

void SC_EMPF_TRC(int iLen, const IP_PORT *stVon, bool bGueltig, int iObjIdx, int iModus) {
    if (!(TEST_T_I || TEST_T_I1)) return;
    UT_TRC("\n\n", cRoutine, "Nach IP_RECV f\x81r Modus %d/%d    Len : %d   Port : >%s<\n >", iObjIdx, iModus,
           iLen, IP_PORT2A(stVon));
    for (int i = 0; i < iLen; i++)
        UT_TRC_CONT(" 0x%02X ", QX04_RECV_Buf[i]);
    if (bGueltig) QX04_T_BN(stVon, QX04_RECV_Buf); // the breakdown reads only what the guard let through
    std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
}
