// Sends the request the walk built in the send buffer and keeps it as the state's outstanding request: a
// repetition is the same frame to the same node, and the answer is matched against it. Its invoke id is the
// one the exchange drew (SC_AUSTAUSCH): the layer's builder took it from there.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch_intern.h"

bool SC_ANFRAGE_SENDEN(SC_TRANSAKTION_Struct *stAnf, int iLen, const IP_PORT *stZiel, int iDienst, int iAnz) {
    stAnf->bUnbaubar = iLen <= 0;
    if (iLen <= 0) return false;
    QX04_BN_SENDEN(stZiel, iLen, QX04_SEND_Buf);
    std::memcpy(stAnf->ucFrame, QX04_SEND_Buf, iLen < QX04_BUF_SIZE ? iLen : QX04_BUF_SIZE);
    stAnf->iLen = iLen;
    stAnf->stZiel = *stZiel;
    stAnf->ucInvoke = ucSC_Gezogen = ucQX04_InvokeId;
    stAnf->bSegAn = QX04_BN_NIMMT_SEGMENTE(stAnf->ucFrame);
    stAnf->stSeg.bLauf = false;
    stAnf->iDienst = iDienst;
    stAnf->iAnz = iAnz;
    stAnf->iVersuch = 0;
    stAnf->iSendungen = 1;
    stAnf->iStilleHier = 0;
    stAnf->ulAnfragen++;
    stAnf->ulErstMs = stAnf->ulVersuchMs = UT_MSEK();
    stAnf->bVerloren = stAnf->bAufgegeben = false;
    stAnf->iWarten = SC_WARTET;
    SC_FRIST_NEU(stAnf);
    return true;
}
