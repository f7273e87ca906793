// The next object-list element of the device from what a ReadPropertyMultiple read ahead: started as the
// ReadProperty scan starts it, then handled as its answer (a data point, another object, or the list's end).
#include "scanner/sc.h"

bool SC_RPM_VORRAT(SC_SCAN_Struct *stScan, std::uint32_t ulDev) {
    SC_RPM_Struct &r = stScan->stRpm;
    const long i = stScan->iObjIdx + 1L;
    // A device not yet started has nothing read ahead: what is there belongs to the one before.
    if (stScan->iObjIdx < 0 || i < r.iVorErst || i >= r.iVorErst + r.iVorAnz) return false;
    SC_OBJ_ANFANG(stScan, ulDev);
    r.stWert = r.aVor[static_cast<std::size_t>(i - r.iVorErst)];
    SC_RPM_GEBEN(stScan, r.stWert.iTag <= -1000 ? r.stWert.iTag : 3, -1);
    return true;
}
