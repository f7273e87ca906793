// The value handed to a step: in the ReadProperty-ACK, at a value tag of a ReadPropertyMultiple-ACK, or an
// object-list element read ahead. The decoders are the same for all of them.
#include "bacnet/bn.h"
#include "scanner/walk/sc_scan.h"

int SC_WERT(const SC_WERT_Struct *stWert, std::uint16_t usPropId, std::uint32_t *ulWert) {
    switch (stWert->iQuelle) {
    case SC_Q_POS:
        return QX04_BN_WERT(stWert->ucFrame, stWert->iPos, ulWert);
    case SC_Q_VORRAT:
        *ulWert = stWert->ulWert;
        return stWert->iTag;
    default:
        return QX04_BN_GETWERT(stWert->ucFrame, usPropId, ulWert);
    }
}
