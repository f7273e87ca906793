// The next object-list element of the device from what a ReadPropertyMultiple read ahead: started as the
// ReadProperty scan starts it, then handled as its answer (a data point, another object, or the list's end).
#include <cassert>
#include "scanner/walk/sc_scan.h"

bool SC_RPM_VORRAT(SC_SCAN_Struct *stScan, std::uint32_t ulDev) {
    const SC_RPM_Struct &r = stScan->stRpm;
    const long i = stScan->stGang.iObjIdx + 1L;
    // A device not yet started has nothing read ahead: what is there belongs to the one before.
    if (stScan->stGang.iObjIdx < 0 || i < r.iVorErst || i >= r.iVorErst + r.iVorAnz) return false;
    // Read ahead are only indexes a batch asked for, and a batch never asks past the last 16-bit index.
    const bool bBegonnen = SC_OBJ_ANFANG(stScan, ulDev);
    assert(bBegonnen);
    (void)bBegonnen;
    const SC_VORRAT_Struct &v = r.aVor[static_cast<std::size_t>(i - r.iVorErst)];
    const SC_WERT_Struct stWert = SC_WERT_VORRAT(v.iTag, v.ulWert);
    SC_SCHRITT_ANTWORT(stScan, SC_ABGELEHNT(v.iTag) ? v.iTag : QX04_MSG_ACK, &stWert);
    return true;
}
