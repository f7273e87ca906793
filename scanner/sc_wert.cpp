// The value of the answer being handled: in a ReadProperty-ACK, in one result of a ReadPropertyMultiple-ACK,
// or an object-list element read ahead. The decoders are the same for all of them.
#include "bacnet/bn.h"
#include "scanner/sc.h"

int SC_WERT(const SC_SCAN_Struct *stScan, std::uint16_t usPropId, std::uint32_t *ulWert) {
    const SC_RPM_Struct &r = stScan->stRpm;
    if (r.iWertPos > 0) return QX04_BN_WERT(QX04_RECV_Buf, r.iWertPos, ulWert);
    if (r.iWertPos < 0) {
        *ulWert = r.stWert.ulWert;
        return r.stWert.iTag;
    }
    return QX04_BN_GETWERT(QX04_RECV_Buf, usPropId, ulWert);
}
