// Receive step of the parallel scan: one waiting datagram through the guard and the message check. The
// message check knows only one invoke id; for the moment of the check it is set to the id the frame carries
// when a place has that id outstanding, and the answer then goes to that place if it came from the node the
// request went to. Anything that answers no outstanding request is taken by the check as usual and ignored.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

static const char cRoutine[] = "SC_LOOP";

// The place awaiting an answer with the invoke id of the frame, -1 when none. Only acknowledgements, errors
// and rejects carry an invoke id the scanner gave out.
static int PLATZ() {
    const int a = QX04_BN_POSAPDU(QX04_RECV_Buf);
    if (a <= 0 || a + 1 >= static_cast<int>(QX04_BN_BVLCLEN(QX04_RECV_Buf))) return -1;
    const int iTyp = QX04_RECV_Buf[a] >> 4;
    if (iTyp != 0x2 && iTyp != 0x3 && iTyp != 0x5 && iTyp != 0x6) return -1;
    return SC_P_WARTEND(QX04_RECV_Buf[a + 1]);
}

void SC_P_DATEN(int iLen, const IP_PORT *stVon) {
    const bool bGueltig = QX04_BN_RXCHK(QX04_RECV_Buf, iLen) == 0;
    const int iPlatz = bGueltig ? PLATZ() : -1;
    SC_SCAN_Struct *s = iPlatz >= 0 ? &stSC_Par.aPlatz[iPlatz].stScan : nullptr;
    SC_EMPF_PRUEF(iLen, stVon, s != nullptr ? s->iObjIdx : -1, s != nullptr ? s->PROP_Modus : -1);
    if (s != nullptr) ucQX04_InvokeId = s->ucInvoke;
    int iErg = bGueltig ? QX04_BN_MSGCHK(stVon, QX04_RECV_Buf) : -1;
    ucQX04_InvokeId = stSC_Par.ucGezogen;
    if (UT_TRC_IN())
        UT_TRC("\n\n", cRoutine, "Nach MSGCHK   iier : %d  PORT_Hilf >%s<", iErg, IP_PORT2A(stVon));

    if (s == nullptr || s->stZiel.ulAdr != stVon->ulAdr || s->stZiel.usPort != stVon->usPort) return;
    if (TEST_T_I || TEST_T_I1)
        UT_TRC("\n", cRoutine, "Antwort f\x81r Device %lu   Invoke : %u   iier : %d",
               (unsigned long)s->stObj.ulDev, s->ucInvoke, iErg);
    SC_ANTWORT(s, iErg);
    if (s->iErg != 0) stSC_Par.iErg = s->iErg;
}

bool SC_P_EMPFANG() {
    IP_PORT stVon = {0, 0};
    int iCmd = 0, iScmd = 0;
    int iLen = IP_RECV(iQX04_IP_APP, &stVon, &iCmd, &iScmd, QX04_BUF_SIZE, QX04_RECV_Buf);
    if (iLen == -1) return false;
    if (iLen > 0) SC_P_DATEN(iLen, &stVon);
    return true;
}
