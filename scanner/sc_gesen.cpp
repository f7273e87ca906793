// Sends the request built in the send buffer and keeps it as the state's outstanding request: a repetition is
// the same frame to the same node, and the answer is matched against it.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

void SC_GESENDET(SC_SCAN_Struct *stScan, int iLen, const IP_PORT *stZiel) {
    IP_SEND(iQX04_IP_APP, stZiel, IP_CMD_DATA, IP_SCMD_SEND, iLen, QX04_SEND_Buf);
    std::memcpy(stScan->ucAnfrage, QX04_SEND_Buf, iLen < QX04_BUF_SIZE ? iLen : QX04_BUF_SIZE);
    stScan->iAnfrageLen = iLen;
    stScan->stZiel = *stZiel;
    stScan->ucInvoke = ucQX04_InvokeId;
    stScan->iVersuch = 0;
    stScan->ulVersuchMs = UT_MSEK();
    stScan->iWarten = SC_WARTET;
    stScan->ulRecvTmo = UT_DT_ADD(ulUT_LOOPZeit, 0, 5);
    stScan->ulAufgabe = UT_DT_ADD(ulUT_LOOPZeit, 0, 5 * static_cast<std::uint32_t>(iSC_Wiederhol + 1));
}
