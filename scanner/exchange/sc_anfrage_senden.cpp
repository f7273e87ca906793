// Sends the request built in the send buffer and keeps it as the outstanding request: a repetition is the
// same frame to the same node, and the answer is matched against it.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch.h"

void SC_ANFRAGE_SENDEN(SC_ANFRAGE_Struct *stAnf, int iLen, const IP_PORT *stZiel, int iArt, int iAnz) {
    QX04_BN_SENDEN(stZiel, iLen, QX04_SEND_Buf);
    std::memcpy(stAnf->ucFrame, QX04_SEND_Buf, iLen < QX04_BUF_SIZE ? iLen : QX04_BUF_SIZE);
    stAnf->iLen = iLen;
    stAnf->stZiel = *stZiel;
    stAnf->ucInvoke = ucQX04_InvokeId;
    stAnf->iArt = iArt;
    stAnf->iAnz = iAnz;
    stAnf->iVersuch = 0;
    stAnf->ulAnfragen++;
    stAnf->ulVersuchMs = UT_MSEK();
    stAnf->iWarten = SC_WARTET;
    stAnf->ulRecvTmo = UT_DT_ADD(ulUT_LOOPZeit, 0, SC_DEADLINE_S);
    stAnf->ulAufgabe =
        UT_DT_ADD(ulUT_LOOPZeit, 0, SC_DEADLINE_S * static_cast<std::uint32_t>(iSC_Wiederhol + 1));
}
