// Bytes an answer of a device may have: its max APDU from its I-Am (480 without one), within what a frame of
// ours can take.
#include <algorithm>
#include "scanner/rpm/sc_rpm.h"

int SC_RPM_APDU(std::uint32_t uDev) {
    const int n = BN_ROUTE_QX04_Struct[uDev].usMaxApdu;
    return n == 0 ? SC_RPM_APDU0 : std::clamp(n, SC_RPM_APDU_MIN, SC_RPM_APDU_MAX);
}
