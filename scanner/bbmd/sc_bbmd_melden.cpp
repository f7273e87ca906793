// The scanner's two messages to its BBMD: Register-Foreign-Device with the time-to-live of -F, and
// Delete-Foreign-Device-Table-Entry for its own entry, named by the scanner's own address towards the BBMD
// (IP_LOKAL). Behind address translation the BBMD sees another address and refuses the delete; the entry
// then lapses after its time-to-live.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"

static const char cRoutine[] = "SC_BBMD_MELDEN";

int SC_BBMD_MELDEN(bool bAnmelden) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf   Anmelden : %d", bAnmelden ? 1 : 0);
    unsigned char ucDaten[6], ucBuf[16];
    int n;
    if (bAnmelden) {
        QX04_BN_S2BNS(static_cast<std::uint16_t>(iSC_BbmdTtl), ucDaten);
        n = QX04_BN_BVLL(ucBuf, QX04_BVLC_REGISTER_FD, ucDaten, 2);
    } else {
        QX04_BN_L2BNL(IP_LOKAL(&stSC_Bbmd), ucDaten);
        QX04_BN_S2BNS(static_cast<std::uint16_t>(iQX04_IP_Port), ucDaten + 4);
        n = QX04_BN_BVLL(ucBuf, QX04_BVLC_DELETE_FDT_ENTRY, ucDaten, 6);
    }
    iQX04_BvlcErg = -1; // the next result is the answer to this message
    const int ier = IP_SEND(iQX04_IP_APP, &stSC_Bbmd, IP_CMD_DATA, IP_SCMD_SEND, n, ucBuf);
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
    return ier;
}
