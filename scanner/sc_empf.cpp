// Receive step of a scan pass: one waiting datagram goes through the message check; the answer or refusal
// of the outstanding request moves the object on, and a completed object becomes its data line.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

static const char cRoutine[] = "SC_LOOP";

bool SC_EMPF_PRUEF(int iLen, const IP_PORT *stVon, int iObjIdx, int iModus) {
    // The guard first: nothing in the layer may read a frame whose length field exceeds what arrived.
    bool bGueltig = QX04_BN_RXCHK(QX04_RECV_Buf, iLen) == 0;
    if (TEST_T_I || TEST_T_I1) {
        UT_TRC("\n\n", cRoutine, "Nach IP_RECV f\x81r Modus %d/%d    Len : %d   Port : >%s<\n >", iObjIdx,
               iModus, iLen, IP_PORT2A(stVon));
        for (int i = 0; i < iLen; i++)
            UT_TRC_CONT(" 0x%02X ", QX04_RECV_Buf[i]);
        if (bGueltig) QX04_T_BN(stVon, QX04_RECV_Buf);
        std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
    }
    return bGueltig;
}

void SC_EMPF_DATEN(SC_SCAN_Struct *stScan, int iLen, const IP_PORT *stVon) {
    bool bGueltig = SC_EMPF_PRUEF(iLen, stVon, stScan->iObjIdx, stScan->PROP_Modus);
    int iErg = bGueltig ? QX04_BN_MSGCHK(stVon, QX04_RECV_Buf) : -1;
    if (UT_TRC_IN())
        UT_TRC("\n\n", cRoutine, "Nach MSGCHK   iier : %d  PORT_Hilf >%s<", iErg, IP_PORT2A(stVon));
    SC_ANTWORT(stScan, iErg);
}

bool SC_EMPFANG(SC_SCAN_Struct *stScan) {
    IP_PORT stVon = {0, 0};
    int iCmd = 0, iScmd = 0;
    int iLen = IP_RECV(iQX04_IP_APP, &stVon, &iCmd, &iScmd, QX04_BUF_SIZE, QX04_RECV_Buf);
    if (iLen == -1) return false;
    if (iLen > 0) SC_EMPF_DATEN(stScan, iLen, &stVon); // else something was taken, but no datagram
    return true;
}
