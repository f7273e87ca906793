// Takes one waiting datagram, if any, from the scanner's endpoint into the receive buffer.
#include "bacnet/bn.h"
#include "scanner/exchange/sc_austausch_intern.h"

int SC_EMPFANG(SC_SCAN_Struct *const *apScan, int iAnz, SC_TA_ANTWORTEN_Struct *pAntworten,
               SC_VORAB_FN pfVorab) {
    IP_PORT stVon = {0, 0};
    const int iLen = QX04_BN_EMPFANGEN(&stVon, QX04_BUF_SIZE, QX04_RECV_Buf);
    if (iLen == -1) return -1;
    if (iLen <= 0) return 0; // something was taken off the endpoint, but no datagram
    if (pfVorab != nullptr && pfVorab(&stVon, QX04_RECV_Buf, iLen)) return 0;
    SC_TA_EREIGNIS_Struct e;
    if (SC_DATAGRAMM_ZUORDNEN(apScan, iAnz, iLen, &stVon, &e) == nullptr) return 0;
    if (pAntworten != nullptr && pAntworten->iAnz < static_cast<int>(pAntworten->a.size()))
        pAntworten->a[static_cast<std::size_t>(pAntworten->iAnz++)] = e;
    return 1;
}
