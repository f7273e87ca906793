// The discovery's receive: for a while, every datagram to the map first, then on to the message check, so
// that I-Ams are learnt and requests to the scanner answered as in the scan itself.
#include "runtime/ut/ut.h"
#include "scanner/netmap/sc_karte_daten.h"

void SC_KARTE_WARTEN(int iMs, SC_KARTE_WEITER_FN pfWeiter, bool (*pfFertig)()) {
    const std::uint32_t ulAb = UT_MSEK(); // monotonic: setting the clock neither stretches nor cuts the wait
    for (long lRest = iMs; lRest > 0; lRest = iMs - static_cast<long>(UT_MSEK() - ulAb)) {
        IP_PORT stVon = {0, 0};
        const int iLen = QX04_BN_EMPFANGEN(&stVon, QX04_BUF_SIZE, QX04_RECV_Buf);
        if (iLen == -1) {
            QX04_BN_WARTEN(static_cast<int>(lRest));
            continue;
        }
        if (iLen > 0 && !SC_KARTE_EMPFANG(&stVon, QX04_RECV_Buf, iLen) && pfWeiter != nullptr)
            pfWeiter(&stVon, iLen);
        if (pfFertig != nullptr && pfFertig()) break;
    }
}
