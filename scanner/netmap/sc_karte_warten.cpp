// The discovery's receive: for a while, every datagram to the map first, then through the exchange's receive,
// so that I-Ams are learnt and requests to the scanner answered as in the scan itself.
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch.h"
#include "scanner/netmap/sc_karte_daten.h"

void SC_KARTE_WARTEN(int iMs, bool (*pfFertig)()) {
    const std::uint32_t ulAb = UT_MSEK(); // monotonic: setting the clock neither stretches nor cuts the wait
    for (long lRest = iMs; lRest > 0; lRest = iMs - static_cast<long>(UT_MSEK() - ulAb)) {
        if (SC_EMPFANG(nullptr, 0, nullptr, SC_KARTE_EMPFANG) < 0) {
            QX04_BN_WARTEN(static_cast<int>(lRest));
            continue;
        }
        if (pfFertig != nullptr && pfFertig()) break;
    }
}
