// The number handed to a step, as the exchange decoded it: in a ReadProperty-ACK, in a result of a
// ReadPropertyMultiple-ACK, or an object-list element read ahead.
#include "scanner/walk/sc_scan.h"

int SC_WERT(const SC_WERT_Struct *stWert, std::uint32_t *ulWert) {
    *ulWert = stWert->stWert.ulWert;
    return stWert->stWert.iTag;
}
